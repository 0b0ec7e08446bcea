#pragma once
// Where the configurator keeps user data (profiles, macros) and where it finds what it ships.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "base/ProgramFolder.h"

// The user's roaming application-data folder (on Linux the XDG data home).
std::filesystem::path AppDataFolder();

// Each of these is empty when the application-data folder cannot be told.
std::filesystem::path DataFolder();     // application data + Velmor\ORVA7100
std::filesystem::path ProfileFolder();  // data folder + Profiles
std::filesystem::path MacroFolder();    // data folder + Macros
// The default file of on-board slot 1 .. 5: Profiles\Default<slot>.profile.
std::filesystem::path DefaultProfilePath(int slot);

// Removes the temporary files that saves cut short by a killed process left in the profile and
// macro folders (RemoveStaleTemporaries of FileUtil). Returns how many.
int RemoveStaleSaveLeftovers();

// Makes sure the folder named by `path` exists, or, when the last component holds a dot, the
// folder that would contain that file. Failures are ignored: the caller's file operation fails.
void CreateFolderTree(const std::filesystem::path& path);
// Makes sure the folder that holds the file `path` exists, whatever the file's name looks like
// (a file saved without an extension must not turn into a folder of that name).
void CreateFolderTreeForFile(const std::filesystem::path& path);
