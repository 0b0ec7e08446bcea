#pragma once
// Where the configurator keeps user data (profiles, macros) and where it finds what it ships.

#include <filesystem>

// The user's roaming application-data folder (on Linux the XDG data home).
std::filesystem::path AppDataFolder();
// The folder of the running executable; empty when it cannot be told.
std::filesystem::path ApplicationFolder();
// Cuts a full executable path before its last separator; empty when it holds none.
std::filesystem::path FolderOfExecutablePath(const std::filesystem::path& executable);

std::filesystem::path DataFolder();     // application data + Velmor\ORVA7100
std::filesystem::path ProfileFolder();  // data folder + Profiles
std::filesystem::path MacroFolder();    // data folder + Macros
// The default file of on-board slot 1 .. 5: Profiles\Default<slot>.profile.
std::filesystem::path DefaultProfilePath(int slot);

// Makes sure the folder named by `path` exists, or, when the last component holds a dot, the
// folder that would contain that file. Failures are ignored: the caller's file operation fails.
void CreateFolderTree(const std::filesystem::path& path);
// Makes sure the folder that holds the file `path` exists, whatever the file's name looks like
// (a file saved without an extension must not turn into a folder of that name).
void CreateFolderTreeForFile(const std::filesystem::path& path);
