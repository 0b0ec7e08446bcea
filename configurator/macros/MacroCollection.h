#pragma once
// All macros of the user: the list the editor control owns, the current macro, the folder they
// are stored in and the placement mode of recording. Free of window code so that the editor
// control can hold it (or derive from it) and tests can drive it directly.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "macros/DiskFileSystem.h"
#include "macros/Macro.h"
#include "macros/MacroFileSystem.h"
#include "macros/MacroOwner.h"
#include "profiles/Profile.h"

// What LoadMacros found.
struct MacroLoadResult {
    bool indexFound = false;  // the folder holds a readable index
    bool indexWhole = true;   // false when the index's strings ran past its end
    // One path per macro appended to the collection, in order, as the index stores it.
    std::vector<std::u16string> loadedPaths;
    // Listed files that were missing, unreadable or shorter than their counts claim.
    std::vector<std::u16string> skippedPaths;
};

class MacroCollection {
  public:
    // Macros created or loaded here send their notifications to `owner`, which may be null.
    // Without a file system the real disk is used.
    explicit MacroCollection(MacroOwner* owner = nullptr, MacroFileSystem* fileSystem = nullptr);
    MacroCollection(const MacroCollection&) = delete;
    MacroCollection& operator=(const MacroCollection&) = delete;

    void SetFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path IndexPath() const;

    // In the order of the index file or of creation. The pointers stay valid until removal.
    const std::vector<std::unique_ptr<CMacro>>& Macros() const { return macros_; }
    // The macro with that id that follows `occurrence` others with it (ids from files may
    // repeat), or null.
    CMacro* FindMacro(int32_t id, int32_t occurrence = 0) const;
    // Appends a new macro without events.
    CMacro& AddMacro(int32_t id, std::u16string name, MacroRect bounds);
    // Removes the macro FindMacro(id, occurrence) names; when it was current, no macro is
    // current. Its file stays until the next save.
    void RemoveMacro(int32_t id, int32_t occurrence = 0);

    CMacro* CurrentMacro() const { return current_; }
    // A macro of this collection, or null.
    void SetCurrentMacro(CMacro* macro) { current_ = macro; }

    // The copy a profile keeps for a button bound to this macro: name, id, each event's kind,
    // code, action and delay, then an all-zero event. None when no macro has the id.
    std::optional<CButtonMacro> CopyMacroForProfile(int32_t id) const;

    EventPlacement Placement() const { return placement_; }
    // Recording before or after an event switches to placing after the selection for good.
    void UsePlacementAfterSelection() { placement_ = kPlaceAfterSelection; }

    // Writes every macro file (new content for a name already on disk goes to a pending file
    // first), then the index, then the pending files under their final names and the final
    // index, then removes what the index no longer lists: at every moment the folder loads as the
    // old set or the new one, never a mix. A valid name taken by a file of this save gets "1"
    // appended (and the macro takes that name); a name that cannot be a file name is stored under
    // a safe file name and keeps its name. False when a folder or file could not be written before
    // the index switched; the old index then stays in place and no name changes.
    bool SaveMacros();
    // Appends the macros the folder's index lists (the collection is not cleared first). Files
    // that are missing, unreadable or short are skipped; everything valid loads.
    MacroLoadResult LoadMacros();

  private:
    std::filesystem::path MacroFilePath(const std::filesystem::path& folder,
                                        const std::u16string& fileName) const;
    bool IsTaken(const std::filesystem::path& path, const std::set<FileIdentity>& written) const;
    // A free name beside `path` for the new content of a file the old set may still list.
    std::filesystem::path PendingPath(const std::filesystem::path& path) const;
    void RemoveUnlisted(const std::filesystem::path& folder, const std::set<FileIdentity>& keep);

    MacroOwner* owner_ = nullptr;
    DiskFileSystem disk_;
    MacroFileSystem* fileSystem_ = nullptr;
    std::filesystem::path folder_;
    std::vector<std::unique_ptr<CMacro>> macros_;
    CMacro* current_ = nullptr;
    EventPlacement placement_ = kPlaceAtEnd;
};
