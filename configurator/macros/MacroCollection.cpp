#include "macros/MacroCollection.h"

#include <algorithm>
#include <system_error>

#include "macros/MacroFile.h"
#include "macros/MacroNaming.h"
#include "macros/PathText.h"
#include "profiles/DataStream.h"

namespace fs = std::filesystem;

MacroCollection::MacroCollection(MacroOwner* owner, MacroFileSystem* fileSystem)
    : owner_(owner), fileSystem_(fileSystem != nullptr ? fileSystem : &disk_) {}

fs::path MacroCollection::IndexPath() const {
    return folder_ / kMacroIndexFileName;
}

CMacro* MacroCollection::FindMacro(int32_t id, int32_t occurrence) const {
    for (const auto& macro : macros_) {
        if (macro->id == id && occurrence-- == 0)
            return macro.get();
    }
    return nullptr;
}

CMacro& MacroCollection::AddMacro(int32_t id, std::u16string name, MacroRect bounds) {
    macros_.push_back(std::make_unique<CMacro>(owner_, bounds, id, std::move(name)));
    return *macros_.back();
}

void MacroCollection::RemoveMacro(int32_t id, int32_t occurrence) {
    const CMacro* target = FindMacro(id, occurrence);
    const auto it = std::find_if(macros_.begin(), macros_.end(),
                                 [target](const auto& macro) { return macro.get() == target; });
    if (it == macros_.end())
        return;
    if (it->get() == current_)
        current_ = nullptr;
    macros_.erase(it);
}

std::optional<CButtonMacro> MacroCollection::CopyMacroForProfile(int32_t id) const {
    const CMacro* macro = FindMacro(id);
    if (macro == nullptr)
        return std::nullopt;
    CButtonMacro copy;
    copy.name = macro->name;
    copy.id = macro->id;
    copy.events.reserve(macro->events.size() + 1);
    for (const CEventItem& event : macro->events)
        copy.events.push_back(CMacroEvent{event.kind, event.code, event.action, event.delay});
    copy.events.push_back(CMacroEvent{});
    return copy;
}

fs::path MacroCollection::MacroFilePath(const fs::path& folder,
                                        const std::u16string& fileName) const {
    return folder / PathFromText(fileName + kMacroFileExtension);
}

bool MacroCollection::IsTaken(const fs::path& path, const std::set<FileIdentity>& written) const {
    // Only files of this save count, as if the folder had been emptied first; the file system
    // decides what is the same name (case, for one).
    FileIdentity identity;
    return fileSystem_->Identify(path, identity) && written.count(identity) != 0;
}

bool MacroCollection::SaveMacros() {
    std::error_code ec;
    // The index lists full paths.
    fs::path folder = fs::absolute(folder_, ec);
    if (ec || folder_.empty())
        return false;
    if (!fileSystem_->CreateFolders(folder))
        return false;

    // A macro whose file name is already taken on disk (by the old set, most likely) must not be
    // written over before the index stops listing the old file: its new content goes to a
    // pending file first, and the final file is written only once an index lists the pending one.
    struct Planned {
        fs::path path;
        fs::path pending;  // empty when the file was written in its place at once
        std::vector<uint8_t> bytes;
    };
    std::vector<Planned> planned;
    std::set<FileIdentity> claimed;  // the final files of this save
    std::vector<std::u16string> savedNames;
    for (const auto& macro : macros_) {
        const bool validName = IsValidFileName(macro->name);
        std::u16string fileName = validName ? macro->name : SafeFileName(macro->name);
        fs::path path = MacroFilePath(folder, fileName);
        // "COM" + "1" would name a device: such a name gets one more "1".
        while (IsTaken(path, claimed) || IsReservedFileName(fileName)) {
            fileName += u'1';
            path = MacroFilePath(folder, fileName);
        }
        CMacro stored = *macro;
        stored.name = validName ? fileName : macro->name;
        Planned entry{path, {}, EncodeMacroFile(stored)};
        // A sub-folder in the file's place holds no macro; it must not block the save.
        if (fileSystem_->IsFolder(path) && !fileSystem_->Remove(path))
            return false;
        FileIdentity existing;
        const bool taken = fileSystem_->Identify(path, existing);
        std::vector<uint8_t> onDisk;
        if (taken && fileSystem_->ReadFile(path, onDisk) && onDisk == entry.bytes) {
            // Already this macro, byte for byte (an unchanged macro): whichever index is in
            // place lists the right content, so it stays as it is.
            claimed.insert(existing);
        } else if (taken) {
            entry.pending = PendingPath(path);
            if (!fileSystem_->WriteFile(entry.pending, entry.bytes))
                return false;
            claimed.insert(existing);
        } else {
            if (!fileSystem_->WriteFile(path, entry.bytes))
                return false;
            // Without its identity the file could not be told from old ones and would be removed.
            FileIdentity identity;
            if (!fileSystem_->Identify(path, identity))
                return false;
            claimed.insert(identity);
        }
        planned.push_back(std::move(entry));
        savedNames.push_back(std::move(stored.name));
    }

    // The one step that switches the folder from the old set to the new one: from here on the
    // new set loads, through the pending files where there are any.
    const fs::path indexPath = folder / kMacroIndexFileName;
    if (fileSystem_->IsFolder(indexPath) && !fileSystem_->Remove(indexPath))
        return false;
    const auto indexOf = [&planned](bool pendingFirst) {
        std::vector<std::u16string> paths;
        for (const Planned& entry : planned)
            paths.push_back(
                TextFromPath(pendingFirst && !entry.pending.empty() ? entry.pending : entry.path));
        return EncodeMacroIndex(paths);
    };
    if (!fileSystem_->WriteFile(indexPath, indexOf(true)))
        return false;
    for (size_t i = 0; i < macros_.size(); ++i)
        macros_[i]->name = std::move(savedNames[i]);

    // Moving to the final names is tidying: if it stops half-way, the pending index still loads
    // the whole new set and the next save finishes the job.
    bool pending = false;
    for (const Planned& entry : planned) {
        if (entry.pending.empty())
            continue;
        pending = true;
        // The written file is a new one: tidying must know it by its own identity.
        FileIdentity identity;
        if (!fileSystem_->WriteFile(entry.path, entry.bytes) ||
            !fileSystem_->Identify(entry.path, identity))
            return true;
        claimed.insert(identity);
    }
    if (pending && !fileSystem_->WriteFile(indexPath, indexOf(false)))
        return true;
    // The index is in place; if it cannot be told apart, tidying waits for the next save.
    FileIdentity indexIdentity;
    if (!fileSystem_->Identify(indexPath, indexIdentity))
        return true;
    claimed.insert(indexIdentity);
    RemoveUnlisted(folder, claimed);
    return true;
}

fs::path MacroCollection::PendingPath(const fs::path& path) const {
    // A name that nothing holds yet: an earlier save cut short may have left pending files that
    // its index still lists.
    for (unsigned n = 0;; ++n) {
        fs::path candidate = path;
        candidate += ".pending" + std::to_string(n);
        FileIdentity identity;
        if (!fileSystem_->Identify(candidate, identity))
            return candidate;
    }
}

void MacroCollection::RemoveUnlisted(const fs::path& folder, const std::set<FileIdentity>& keep) {
    std::vector<fs::path> entries;
    fileSystem_->ListFolder(folder, entries);
    // Old files, files of removed or renamed macros, stray temporaries and sub-folders. Failures
    // only leave a file behind that the index does not list.
    for (const fs::path& entry : entries) {
        if (!IsTaken(entry, keep))
            fileSystem_->Remove(entry);
    }
}

MacroLoadResult MacroCollection::LoadMacros() {
    MacroLoadResult result;
    if (current_ != nullptr)
        current_->ClearEvents();

    std::vector<uint8_t> bytes;
    if (folder_.empty() || !fileSystem_->ReadFile(IndexPath(), bytes))
        return result;
    result.indexFound = true;
    DataStream index(std::move(bytes));
    std::vector<std::u16string> paths;
    result.indexWhole = DecodeMacroIndex(index, paths);

    for (const std::u16string& path : paths) {
        std::vector<uint8_t> fileBytes;
        CMacro macro(owner_, MacroRect{}, 0, std::u16string());
        bool ok = !path.empty() && fileSystem_->ReadFile(PathFromText(path), fileBytes);
        if (ok) {
            DataStream file(std::move(fileBytes));
            ok = DecodeMacroFile(file, macro);
        }
        if (!ok) {
            result.skippedPaths.push_back(path);
            continue;
        }
        macros_.push_back(std::make_unique<CMacro>(std::move(macro)));
        result.loadedPaths.push_back(path);
    }
    return result;
}
