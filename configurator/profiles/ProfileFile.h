#pragma once
// The ".profile" file: one profile, little-endian, signature 4C 05 33 01.

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "profiles/Profile.h"

constexpr uint8_t kProfileSignature[4] = {0x4C, 0x05, 0x33, 0x01};
// A profile file is a few hundred bytes, a few kilobytes with long macro copies; anything larger
// than this is refused without being read.
constexpr uintmax_t kMaxProfileFileBytes = 1u << 20;

std::vector<uint8_t> EncodeProfile(const Profile& profile);
// Decodes a whole file's bytes into the profile. A wrong signature or data that ends before the
// last field leaves the profile exactly as it was and returns false.
bool DecodeProfile(const std::vector<uint8_t>& bytes, Profile& profile);

// Writes the profile in one step (a crash never leaves a torn file); creates missing folders.
bool SaveProfileFile(const Profile& profile, const std::filesystem::path& path);
// False, with the profile unchanged, when the file cannot be read, is larger than
// kMaxProfileFileBytes, or does not decode.
bool LoadProfileFile(const std::filesystem::path& path, Profile& profile);

// The five profiles as the configurator starts with them: slot i has index i-1, the name
// "Profile<i>" and its default file, loaded when it can be.
void LoadDefaultProfiles(ProfileSet& profiles);
