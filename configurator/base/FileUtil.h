#pragma once
// Whole-file reads and writes. A write never leaves a torn file: the bytes go to a temporary
// file in the same folder, are flushed to the disk, and then replace the target in one step.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

// Largest file that ReadWholeFile accepts; nothing the system stores comes near it.
constexpr uintmax_t kMaxReadFileBytes = 64u * 1024u * 1024u;

// Reads a regular file whole. A file larger than `maxBytes` is refused from its size alone,
// before anything is read; so is anything that is not a regular file (a pipe, a device).
bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes,
                   uintmax_t maxBytes = kMaxReadFileBytes);

// Writes the bytes under a temporary name beside `path`, flushes them, then moves the file over
// `path`. On any failure the temporary file is removed, `path` is untouched, and false returned.
// A file that already holds exactly these bytes is left untouched (and true returned).
bool WriteFileAtomically(const std::filesystem::path& path, const uint8_t* data, size_t size);

// Moves `from` over `to` in one step (replacing it), retrying briefly because a virus scanner
// may hold a fresh file open for a moment.
bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// A temporary name in the same folder as `path`, unique within this process run:
// "<name>.tmp<process id>-<counter>".
std::filesystem::path TemporaryPathBeside(const std::filesystem::path& path);

// The id of the process that made a temporary name of TemporaryPathBeside, taken from the file
// name alone; empty for any other name.
std::optional<uint32_t> TemporaryFileWriter(const std::filesystem::path& path);

// Whether the process with that id may still run. When it cannot be told (no access to it), the
// answer is yes.
bool ProcessMayBeRunning(uint32_t processId);

// A process killed between writing a temporary file and moving it over its target leaves the
// temporary behind. Removes the regular files in `folder` (not below it) whose names
// TemporaryPathBeside makes and whose writing process no longer runs; returns how many.
int RemoveStaleTemporaries(const std::filesystem::path& folder,
                           const std::function<bool(uint32_t)>& mayBeRunning = ProcessMayBeRunning);
