#pragma once
// Export and import of one profile through files the user picks: the names the file dialogs
// start with, and what an import takes from the file.

#include <filesystem>
#include <string>

#include "profiles/Profile.h"

// <application folder>\Profiles\<name>.profile. Characters that cannot stand in a file name
// (a name may hold "\" or ":") are replaced by "_", so the proposal stays in that folder.
std::u16string ExportFileProposal(const std::u16string& applicationFolder,
                                  const std::u16string& profileName);
// <application folder>\Profiles\*.profile
std::u16string ImportFileProposal(const std::u16string& applicationFolder);

enum class ImportResult {
    kImported,
    kUnreadable,   // missing, locked, or too large to be a profile
    kNotAProfile,  // wrong signature, or the data ends early
};

// Reads the file into `target`. The profile keeps its slot's index (so Apply never writes two
// profiles into one slot of the mouse), its own file path and what files never hold (firmware
// version, acceleration level); everything else comes from the file. Unless kImported, the
// profile is unchanged.
ImportResult ImportProfileFrom(const std::filesystem::path& file, Profile& target);

// What the user is told when an import changes nothing, naming the file.
std::u16string ImportFailedText(ImportResult result, const std::u16string& path);
// "The profile could not be exported to <path>."
std::u16string ExportFailedText(const std::u16string& path);
