// The macro collection: removing, copying for profiles, and the folder on disk. Saves run against
// real temporary folders; a file-system double fails or "crashes" a save at every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#endif

#include "MacroFileSeeds.h"
#include "TempFolder.h"
#include "base/FileUtil.h"
#include "base/ScopedHandle.h"
#include "base/TextConvert.h"
#include "macros/DiskFileSystem.h"
#include "macros/MacroCollection.h"
#include "macros/MacroFile.h"
#include "macros/MacroNaming.h"
#include "macros/PathText.h"

namespace fs = std::filesystem;

namespace {

// Every mutating operation after the first `budget` fails, as if the program had died there.
class CrashingFileSystem : public DiskFileSystem {
  public:
    explicit CrashingFileSystem(int budget) : budget_(budget) {}
    bool CreateFolders(const fs::path& folder) override {
        return Spend() && DiskFileSystem::CreateFolders(folder);
    }
    bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) override {
        return Spend() && DiskFileSystem::WriteFile(path, bytes);
    }
    bool Remove(const fs::path& path) override { return Spend() && DiskFileSystem::Remove(path); }
    int Used() const { return used_; }

  private:
    bool Spend() { return used_++ < budget_; }
    int budget_;
    int used_ = 0;
};

// A file system that ignores case in file names, as Windows does: names are stored folded.
class CaseFoldingFileSystem : public DiskFileSystem {
  public:
    bool ReadFile(const fs::path& p, std::vector<uint8_t>& bytes) override {
        return DiskFileSystem::ReadFile(Fold(p), bytes);
    }
    bool WriteFile(const fs::path& p, const std::vector<uint8_t>& bytes) override {
        return DiskFileSystem::WriteFile(Fold(p), bytes);
    }
    bool IsFolder(const fs::path& p) override { return DiskFileSystem::IsFolder(Fold(p)); }
    bool Remove(const fs::path& p) override { return DiskFileSystem::Remove(Fold(p)); }
    bool Identify(const fs::path& p, FileIdentity& identity) override {
        return DiskFileSystem::Identify(Fold(p), identity);
    }

  private:
    static fs::path Fold(const fs::path& p) {
        std::string name = p.filename().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return p.parent_path() / name;
    }
};

// Links in the macro folder, as a user or another program could place them.
#ifdef _WIN32
bool MakeFolderLink(const fs::path& link, const fs::path& target) {
    return CreateSymbolicLinkW(
               link.c_str(), target.c_str(),
               SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
}
bool MakeFileLink(const fs::path& link, const fs::path& target) {
    return CreateSymbolicLinkW(link.c_str(), target.c_str(),
                               SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
}
// A junction: a mount-point reparse point on an empty folder.
bool MakeJunction(const fs::path& link, const fs::path& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr))
        return false;
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).native();
    const std::wstring print = fs::absolute(target).native();
    std::vector<uint8_t> buffer(8 + 8 + (substitute.size() + print.size() + 2) * 2, 0);
    auto put16 = [&buffer](size_t at, size_t value) {
        buffer[at] = static_cast<uint8_t>(value);
        buffer[at + 1] = static_cast<uint8_t>(value >> 8);
    };
    const uint32_t tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(buffer.data(), &tag, 4);
    put16(4, buffer.size() - 8);
    put16(8, 0);
    put16(10, substitute.size() * 2);
    put16(12, (substitute.size() + 1) * 2);
    put16(14, print.size() * 2);
    std::memcpy(buffer.data() + 16, substitute.c_str(), (substitute.size() + 1) * 2);
    std::memcpy(buffer.data() + 16 + (substitute.size() + 1) * 2, print.c_str(),
                (print.size() + 1) * 2);
    const ScopedHandle folder(CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                          nullptr));
    if (folder.Get() == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    return DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                           static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr) != 0;
}
#else
bool MakeFolderLink(const fs::path& link, const fs::path& target) {
    std::error_code ec;
    fs::create_directory_symlink(target, link, ec);
    return !ec;
}
bool MakeFileLink(const fs::path& link, const fs::path& target) {
    std::error_code ec;
    fs::create_symlink(target, link, ec);
    return !ec;
}
bool MakeJunction(const fs::path& link, const fs::path& target) {
    return MakeFolderLink(link, target);
}
#endif

int32_t FreshId(const MacroCollection& c) {
    std::vector<int32_t> ids;
    for (const auto& macro : c.Macros())
        ids.push_back(macro->id);
    return FreshMacroId(ids);
}

class MacroCollectionTest : public ::testing::Test {
  protected:
    static CMacro& Add(MacroCollection& c, int32_t id, const std::u16string& name, int events) {
        CMacro& macro = c.AddMacro(id, name, MacroRect{0, 0, 204, 220});
        for (int i = 0; i < events; ++i)
            macro.InsertEvent(kEventKey, static_cast<int16_t>(65 + i), kActionPress, 10 * i,
                              kPlaceAtEnd);
        return macro;
    }
    std::set<std::string> FolderNames() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.insert(Utf16ToUtf8(TextFromPath(entry.path().filename())));
        return names;
    }
    static std::vector<std::u16string> Names(const MacroCollection& c) {
        std::vector<std::u16string> names;
        for (const auto& macro : c.Macros())
            names.push_back(macro->name);
        return names;
    }
    MacroLoadResult LoadInto(MacroCollection& c) {
        c.SetFolder(folder_);
        return c.LoadMacros();
    }
    std::u16string PathText(const std::u16string& file) const {
        return TextFromPath(folder_ / PathFromText(file));
    }

    TempFolder root_{"macros"};
    const fs::path folder_ = root_.Path() / "Velmor" / "ORVA7100" / "Macros";
};

TEST_F(MacroCollectionTest, RemovingCopyingAndTheCurrentMacro) {
    MacroCollection c;
    EXPECT_EQ(c.Placement(), kPlaceAtEnd);
    c.UsePlacementAfterSelection();
    EXPECT_EQ(c.Placement(), kPlaceAfterSelection);

    Add(c, 16, u"Jump", 3);
    CMacro& second = Add(c, 17, u"Reload", 1);
    Add(c, 17, u"Duplicate", 0);  // ids from files may repeat: the first one counts
    c.SetCurrentMacro(&second);

    const std::optional<CButtonMacro> copy = c.CopyMacroForProfile(16);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->name, u"Jump");
    EXPECT_EQ(copy->id, 16);
    ASSERT_EQ(copy->events.size(), 4u);
    EXPECT_EQ(copy->events[1], (CMacroEvent{kEventKey, 66, kActionPress, 10}));
    EXPECT_EQ(copy->events[3], CMacroEvent{});
    EXPECT_EQ(c.CopyMacroForProfile(17)->name, u"Reload");
    EXPECT_FALSE(c.CopyMacroForProfile(99).has_value());

    // The copy is what a profile stores for a macro-bound button.
    Profile profile;
    profile.buttons[4].function = kFunctionMacro;
    profile.buttons[4].value = 16;
    profile.AssignMacro(profile.buttons[4], copy ? &*copy : nullptr);
    EXPECT_EQ(profile.macros[4], *copy);

    c.RemoveMacro(17);
    EXPECT_EQ(c.CurrentMacro(), nullptr);
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"Jump", u"Duplicate"}));
    c.RemoveMacro(99);
    EXPECT_EQ(c.Macros().size(), 2u);

    // Among macros with one id, the n-th is found and removed, and no other.
    Add(c, 16, u"Second jump", 2);
    EXPECT_EQ(c.FindMacro(16, 1)->name, u"Second jump");
    EXPECT_EQ(c.FindMacro(16, 2), nullptr);
    c.SetCurrentMacro(c.FindMacro(16));
    c.RemoveMacro(16, 1);
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"Jump", u"Duplicate"}));
    EXPECT_EQ(c.CurrentMacro()->name, u"Jump");
    c.RemoveMacro(16, 1);
    EXPECT_EQ(c.Macros().size(), 2u);
}

TEST_F(MacroCollectionTest, SaveAndLoadRoundTripInOrder) {
    MacroCollection saved;
    saved.SetFolder(folder_);
    Add(saved, 16, u"Jump", 3).events[1].selected = 1;
    Add(saved, 40, u"Empty", 0);
    Add(saved, 17, u"Grenade \U0001F4A3", 2);
    ASSERT_TRUE(saved.SaveMacros());  // the folder tree is made as needed
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat", "Jump.macro", "Empty.macro",
                                                    "Grenade \U0001F4A3.macro"}));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(folder_ / "Jump.macro", bytes));
    EXPECT_EQ(bytes, EncodeMacroFile(*saved.Macros()[0]));
    ASSERT_TRUE(ReadWholeFile(folder_ / "macroList.dat", bytes));
    WriteMacroSeed("saved-index", bytes);

    MacroCollection loaded;
    CMacro& current = Add(loaded, 3, u"before", 2);
    loaded.SetCurrentMacro(&current);
    const MacroLoadResult result = LoadInto(loaded);
    EXPECT_TRUE(result.indexFound);
    EXPECT_TRUE(result.skippedPaths.empty());
    EXPECT_EQ(result.loadedPaths,
              (std::vector<std::u16string>{PathText(u"Jump.macro"), PathText(u"Empty.macro"),
                                           PathText(u"Grenade \U0001F4A3.macro")}));
    // Appended to what was there; the current macro's events are cleared.
    ASSERT_EQ(loaded.Macros().size(), 4u);
    EXPECT_TRUE(current.events.empty());
    for (size_t i = 0; i < 3; ++i) {
        const CMacro& a = *saved.Macros()[i];
        const CMacro& b = *loaded.Macros()[i + 1];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.bounds, a.bounds);
        EXPECT_EQ(b.events, a.events);
    }
    EXPECT_EQ(loaded.Macros()[1]->SelectedIndex(), 1);
}

TEST_F(MacroCollectionTest, NoIndexMeansNoMacros) {
    MacroCollection c;
    EXPECT_FALSE(LoadInto(c).indexFound);  // the folder does not even exist
    fs::create_directories(folder_);
    std::ofstream(folder_ / "Stray.macro") << "x";
    EXPECT_FALSE(LoadInto(c).indexFound);
    EXPECT_TRUE(c.Macros().empty());
}

TEST_F(MacroCollectionTest, BrokenEntriesAreSkippedAndTheRestLoads) {
    MacroCollection saved;
    saved.SetFolder(folder_);
    for (const char16_t* name : {u"Gone", u"Short", u"Good", u"Folder", u"Last"})
        Add(saved, FreshId(saved), name, 2);
    ASSERT_TRUE(saved.SaveMacros());

    fs::remove(folder_ / "Gone.macro");
    fs::resize_file(folder_ / "Short.macro", fs::file_size(folder_ / "Short.macro") - 1);
    fs::remove(folder_ / "Folder.macro");
    fs::create_directory(folder_ / "Folder.macro");  // unreadable as a file
    // The index's last string runs past its end.
    fs::resize_file(folder_ / "macroList.dat", fs::file_size(folder_ / "macroList.dat") - 2);

    MacroCollection loaded;
    const MacroLoadResult result = LoadInto(loaded);
    EXPECT_FALSE(result.indexWhole);
    EXPECT_EQ(Names(loaded), (std::vector<std::u16string>{u"Good"}));
    EXPECT_EQ(result.skippedPaths,
              (std::vector<std::u16string>{PathText(u"Gone.macro"), PathText(u"Short.macro"),
                                           PathText(u"Folder.macro")}));
}

TEST_F(MacroCollectionTest, SavingReplacesTheOldSetAndClearsWhatIsNotListed) {
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"A", 1);
    Add(c, 17, u"B", 1);
    ASSERT_TRUE(c.SaveMacros());
    c.RemoveMacro(17);
    Add(c, 18, u"C", 4);
    fs::create_directories(folder_ / "old" / "deeper");
    std::ofstream(folder_ / "old" / "deeper" / "x.macro") << "x";
    std::ofstream(folder_ / "A.macro.tmp99-1") << "torn";
    std::ofstream(folder_ / "notes.txt") << "x";
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat", "A.macro", "C.macro"}));

    // An emptied collection leaves an index with no entries.
    c.RemoveMacro(16);
    c.RemoveMacro(18);
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat"}));
    MacroCollection loaded;
    EXPECT_TRUE(LoadInto(loaded).indexFound);
    EXPECT_TRUE(loaded.Macros().empty());
}

TEST_F(MacroCollectionTest, AnUnchangedSetWritesNoMacroFileAndAChangedOneStillSaves) {
    auto fill = [](MacroCollection& c, size_t secondEvents) {
        Add(c, 16, u"A", 2);
        Add(c, 17, u"B", secondEvents);
    };
    MacroCollection first;
    first.SetFolder(folder_);
    fill(first, 3);
    ASSERT_TRUE(first.SaveMacros());

    // Room for the folder and the index only: an unchanged macro is never written again.
    CrashingFileSystem tight(2);
    MacroCollection same(nullptr, &tight);
    same.SetFolder(folder_);
    fill(same, 3);
    EXPECT_TRUE(same.SaveMacros());
    EXPECT_EQ(tight.Used(), 2);

    CrashingFileSystem roomy(100);
    MacroCollection changed(nullptr, &roomy);
    changed.SetFolder(folder_);
    fill(changed, 5);
    ASSERT_TRUE(changed.SaveMacros());
    MacroCollection loaded;
    LoadInto(loaded);
    ASSERT_EQ(loaded.Macros().size(), 2u);
    EXPECT_EQ(loaded.Macros()[0]->events.size(), 2u);
    EXPECT_EQ(loaded.Macros()[1]->events.size(), 5u);
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat", "A.macro", "B.macro"}));
}

TEST_F(MacroCollectionTest, EqualFileNamesGetOnesAppendedWithinOneSave) {
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    Add(c, 17, u"Jump", 2);
    Add(c, 18, u"Jump", 3);
    Add(c, 19, u"Jump1", 0);
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"Jump", u"Jump1", u"Jump11", u"Jump111"}));

    // A file left by an earlier save does not count: the name stays as it is.
    MacroCollection next;
    next.SetFolder(folder_);
    Add(next, 20, u"Jump1", 0);
    ASSERT_TRUE(next.SaveMacros());
    EXPECT_EQ(Names(next), (std::vector<std::u16string>{u"Jump1"}));
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat", "Jump1.macro"}));
}

TEST_F(MacroCollectionTest, NamesDifferingInCaseOnAFileSystemThatIgnoresCase) {
    CaseFoldingFileSystem folding;
    MacroCollection c(nullptr, &folding);
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    Add(c, 17, u"jump", 2);
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"Jump", u"jump1"}));
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macrolist.dat", "jump.macro", "jump1.macro"}));

    MacroCollection loaded(nullptr, &folding);
    const MacroLoadResult result = LoadInto(loaded);
    EXPECT_EQ(result.loadedPaths,
              (std::vector<std::u16string>{PathText(u"Jump.macro"), PathText(u"jump1.macro")}));
    EXPECT_EQ(Names(loaded), (std::vector<std::u16string>{u"Jump", u"jump1"}));
    EXPECT_EQ(loaded.Macros()[1]->events.size(), 2u);
}

#ifdef _WIN32
TEST_F(MacroCollectionTest, WindowsTellsNamesDifferingInCaseApart) {
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    Add(c, 17, u"jump", 2);
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"Jump", u"jump1"}));
    MacroCollection loaded;
    LoadInto(loaded);
    EXPECT_EQ(Names(loaded), Names(c));
    // The index holds full Windows paths: folder, backslash, name, ".macro".
    const std::u16string folder = TextFromPath(folder_);
    EXPECT_EQ(LoadInto(loaded).loadedPaths.front(), folder + u"\\Jump.macro");
}
#endif

TEST_F(MacroCollectionTest, NamesThatAreNoFileNamesAreStoredUnderSafeOnes) {
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"a/b", 1);
    Add(c, 17, u"a_b", 1);
    Add(c, 18, u"CON", 1);
    Add(c, 19, u"", 1);
    Add(c, 20, u"why?", 1);
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"a/b", u"a_b1", u"CON", u"", u"why?"}));
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat", "a_b.macro", "a_b1.macro",
                                                    "_CON.macro", "_.macro", "why_.macro"}));
    MacroCollection loaded;
    LoadInto(loaded);
    EXPECT_EQ(Names(loaded), Names(c));

    // "COM" taken by "com" would become the device name COM1: one more "1".
    CaseFoldingFileSystem folding;
    MacroCollection folded(nullptr, &folding);
    folded.SetFolder(root_.Path() / "folded");
    Add(folded, 16, u"COM", 1);
    Add(folded, 17, u"com", 1);
    ASSERT_TRUE(folded.SaveMacros());
    EXPECT_EQ(Names(folded), (std::vector<std::u16string>{u"COM", u"com11"}));
}

TEST_F(MacroCollectionTest, AFailedSaveRenamesNothing) {
    CrashingFileSystem crashing(2);  // the folder and the first file only
    MacroCollection c(nullptr, &crashing);
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    Add(c, 17, u"Jump", 1);
    EXPECT_FALSE(c.SaveMacros());
    EXPECT_EQ(Names(c), (std::vector<std::u16string>{u"Jump", u"Jump"}));
    EXPECT_FALSE(fs::exists(folder_ / "macroList.dat"));
}

TEST_F(MacroCollectionTest, ASubFolderInTheWayOfAFileIsReplaced) {
    fs::create_directories(folder_ / "Jump.macro" / "inner");
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    ASSERT_TRUE(c.SaveMacros());
    MacroCollection loaded;
    LoadInto(loaded);
    EXPECT_EQ(Names(loaded), (std::vector<std::u16string>{u"Jump"}));
}

TEST_F(MacroCollectionTest, AFileWhereTheFolderMustGoFailsTheSave) {
    fs::create_directories(folder_.parent_path());
    std::ofstream(folder_) << "in the way";
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    EXPECT_FALSE(c.SaveMacros());
    EXPECT_TRUE(fs::is_regular_file(folder_));

    MacroCollection deeper;
    deeper.SetFolder(folder_ / "sub");
    Add(deeper, 16, u"Jump", 1);
    EXPECT_FALSE(deeper.SaveMacros());

    MacroCollection nowhere;
    Add(nowhere, 16, u"Jump", 1);
    EXPECT_FALSE(nowhere.SaveMacros());  // no folder set
}

// Saves the new set over the old one, the file system dying after `budget` steps; then checks
// that the folder loads whole: every listed macro present and complete, as old or as new.
TEST_F(MacroCollectionTest, ASaveCutShortAtAnyStepLosesNothing) {
    auto fillOld = [](MacroCollection& c) {
        Add(c, 16, u"Keep", 2);
        Add(c, 17, u"Gone", 3);
        Add(c, 18, u"Changed", 1);
    };
    auto fillNew = [](MacroCollection& c) {
        Add(c, 16, u"Keep", 2);
        Add(c, 18, u"Changed", 5);
        Add(c, 19, u"Added", 4);
        Add(c, 20, u"Also/added", 1);
    };
    for (int budget = 0;; ++budget) {
        fs::remove_all(folder_);
        MacroCollection old;
        old.SetFolder(folder_);
        fillOld(old);
        ASSERT_TRUE(old.SaveMacros());
        std::ofstream(folder_ / "leftover.txt") << "x";

        CrashingFileSystem crashing(budget);
        MacroCollection next(nullptr, &crashing);
        next.SetFolder(folder_);
        fillNew(next);
        const bool saved = next.SaveMacros();

        MacroCollection loaded;
        const MacroLoadResult result = LoadInto(loaded);
        EXPECT_TRUE(result.skippedPaths.empty()) << budget;
        EXPECT_TRUE(result.indexWhole) << budget;
        // The whole old set or the whole new one, never a mix: "Changed" keeps its name across
        // the two, so its new content must not replace the old file while the old index rules.
        std::vector<std::pair<int32_t, size_t>> shape;
        for (const auto& macro : loaded.Macros())
            shape.emplace_back(macro->id, macro->events.size());
        const std::vector<std::pair<int32_t, size_t>> oldShape = {{16, 2}, {17, 3}, {18, 1}};
        const std::vector<std::pair<int32_t, size_t>> newShape = {
            {16, 2}, {18, 5}, {19, 4}, {20, 1}};
        if (!saved) {
            EXPECT_EQ(shape, oldShape) << budget;  // the old index still rules
            continue;
        }
        EXPECT_EQ(shape, newShape) << budget;
        EXPECT_EQ(Names(loaded),
                  (std::vector<std::u16string>{u"Keep", u"Changed", u"Added", u"Also/added"}));
        // The removals after the index are tidying: the save succeeds even without them, and a
        // later save finishes the job.
        if (crashing.Used() > budget)
            continue;
        EXPECT_EQ(FolderNames(),
                  (std::set<std::string>{"macroList.dat", "Keep.macro", "Changed.macro",
                                         "Added.macro", "Also_added.macro"}));
        EXPECT_GT(budget, 6);
        break;
    }
}

// A link placed in the macro folder (a symbolic link to a folder or a file, a junction) is
// removed as a link when the folder is tidied: clearing never follows it out of the folder.
TEST_F(MacroCollectionTest, ClearingTheFolderNeverFollowsLinks) {
    MacroCollection c;
    c.SetFolder(folder_);
    Add(c, 16, u"Jump", 1);
    ASSERT_TRUE(c.SaveMacros());
    const fs::path outside = root_.Path() / "Outside";
    fs::create_directories(outside / "deep");
    std::ofstream(outside / "precious.txt") << "keep";
    std::ofstream(outside / "deep" / "also.txt") << "keep";
    // Wine answers success without making a link, and shows links made from outside as plain
    // folders: there is nothing to check then.
    if (!MakeFolderLink(folder_ / "linked", outside) ||
        !fs::exists(folder_ / "linked" / "precious.txt"))
        GTEST_SKIP() << "this system makes no symbolic links";
    ASSERT_TRUE(MakeFileLink(folder_ / "file.macro", outside / "precious.txt"));
    const bool junction = MakeJunction(folder_ / "junction", outside / "deep");
    if (!junction)
        std::printf("no junctions on this system: checked links only\n");

    Add(c, 17, u"file", 2);  // saved where the file link stands
    ASSERT_TRUE(c.SaveMacros());
    EXPECT_TRUE(fs::exists(outside / "precious.txt"));
    EXPECT_TRUE(fs::exists(outside / "deep" / "also.txt"));
    std::ifstream precious(outside / "precious.txt");
    std::string text;
    precious >> text;
    EXPECT_EQ(text, "keep");
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"macroList.dat", "Jump.macro", "file.macro"}));
    MacroCollection loaded;
    LoadInto(loaded);
    EXPECT_EQ(Names(loaded), (std::vector<std::u16string>{u"Jump", u"file"}));
}

}  // namespace
