#include "profiles/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "TempFolder.h"
#include "base/FileUtil.h"
#include "base/ScopedHandle.h"
#include "profiles/DataStream.h"
#include "profiles/Storage.h"

#include <set>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

class ProfileFileTest : public ::testing::Test {
  protected:
    TempFolder temp_{"profile-test"};
    const fs::path dir_ = temp_.Path();
};

Profile RichProfile() {
    Profile p;
    p.name = u"Sniper \u00e9\u4e2d\U0001F3AE";
    p.index = 2;
    p.reportRate = kReportRate250Hz;
    p.doubleClickValue = 800;
    p.scrollLines = 5;
    p.scrollByLines = 0;
    p.scrollByPage = 1;
    p.accelerationOn = 1;
    p.separateXY = 1;
    p.dpiStage = 3;
    p.dpi = {1, 2, 30, 31, 59, 60};
    p.pointerSpeed = 10;
    p.liftDistance = 32;
    p.surfaceQuality = 7;
    p.ledColour = 0x00FF8000;
    p.ledMode = 0x19;
    p.buttons[2] = {2, kFunctionSingleKey, 0x70, 2};
    p.buttons[5] = {5, kFunctionMacro, 12, 5};
    p.macros[5] = {u"reload", 12, {{1, 0x52, 1, 0}, {1, 0x52, 2, 35}, {}}};
    p.macros[0] = {u"stale", 4, {{16, 1, 1, 7}}};
    return p;
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

void WriteSeed(const char* name, const std::vector<uint8_t>& bytes) {
    const char* dir = std::getenv("ORVA_SEED_DIR");
    if (!dir)
        return;
    const fs::path folder = fs::path(dir) / "fuzz_profile";
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST_F(ProfileFileTest, DefaultProfileFileHasTheKnownLayout) {
    Profile p;
    p.name = u"Profile1";
    ASSERT_TRUE(SaveProfileFile(p, dir_ / "p.profile"));
    const auto bytes = ReadFile(dir_ / "p.profile");
    ASSERT_EQ(bytes.size(), 198u);
    const std::vector<uint8_t> head{0x4C, 0x05, 0x33, 0x01, 0x08, 0x00, 0x00, 0x00, 'P',
                                    0,    'r',  0,    'o',  0,    'f',  0,    'i',  0,
                                    'l',  0,    'e',  0,    '1',  0,    0x00, 0xB3, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);
    WriteSeed("default", bytes);
}

TEST_F(ProfileFileTest, RoundTripKeepsEveryStoredField) {
    const Profile original = RichProfile();
    ASSERT_TRUE(SaveProfileFile(original, dir_ / "rich.profile"));
    Profile loaded;
    ASSERT_TRUE(LoadProfileFile(dir_ / "rich.profile", loaded));
    EXPECT_EQ(EncodeProfile(loaded), EncodeProfile(original));
    EXPECT_EQ(loaded.name, original.name);
    EXPECT_EQ(loaded.index, 2);  // an import takes the file's slot number too
    EXPECT_EQ(loaded.ledColour, 0x00FF8000u);
    EXPECT_EQ(loaded.macros[5], original.macros[5]);
    EXPECT_EQ(loaded.buttons[5].defaultFunction, 5);  // not stored; stays the record's
    WriteSeed("rich", ReadFile(dir_ / "rich.profile"));
}

TEST_F(ProfileFileTest, LoadReplacesMacroCopiesInsteadOfAppending) {
    const Profile original = RichProfile();
    const auto bytes = EncodeProfile(original);
    Profile target = RichProfile();
    target.macros[5].events.push_back({1, 1, 1, 1});
    ASSERT_TRUE(DecodeProfile(bytes, target));
    EXPECT_EQ(target.macros[5], original.macros[5]);
}

TEST_F(ProfileFileTest, ColourTextAndEventCountsDecodeAsTheFormatSays) {
    Profile p;
    DataStream out;
    // Build a file by hand: colour text without digits, one macro with count FF FF FF FF.
    const auto encoded = EncodeProfile(p);
    // The colour string of a default profile is "455174": replace it with "x".
    std::vector<uint8_t> bytes(encoded.begin(), encoded.end());
    const std::vector<uint8_t> colour{6, 0, 0, 0, '4', 0, '5', 0, '5', 0, '1', 0, '7', 0, '4', 0};
    auto at = std::search(bytes.begin(), bytes.end(), colour.begin(), colour.end());
    ASSERT_NE(at, bytes.end());
    const std::vector<uint8_t> noDigits{1, 0, 0, 0, 'x', 0};
    at = bytes.erase(at, at + colour.size());
    bytes.insert(at, noDigits.begin(), noDigits.end());
    // The last macro record: id, empty name, count 0. Give it the count FF FF FF FF.
    std::fill(bytes.end() - 4, bytes.end(), 0xFF);
    Profile loaded;
    ASSERT_TRUE(DecodeProfile(bytes, loaded));
    EXPECT_EQ(loaded.ledColour, 0u);
    EXPECT_TRUE(loaded.macros[6].events.empty());
    WriteSeed("odd-counts", bytes);

    Profile green;
    ASSERT_TRUE(DecodeProfile(encoded, green));
    EXPECT_EQ(green.ledColour, 455174u);
}

TEST_F(ProfileFileTest, TruncationAtAnyOffsetChangesNothing) {
    const auto bytes = EncodeProfile(RichProfile());
    for (size_t length = 0; length < bytes.size(); ++length) {
        Profile target;
        target.name = u"Keep";
        const auto before = EncodeProfile(target);
        EXPECT_FALSE(
            DecodeProfile(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length), target))
            << "length " << length;
        EXPECT_EQ(EncodeProfile(target), before) << "length " << length;
    }
}

TEST_F(ProfileFileTest, WrongSignatureOrMissingFileChangesNothing) {
    auto bytes = EncodeProfile(RichProfile());
    bytes[3] = 0x02;
    Profile target;
    const auto before = EncodeProfile(target);
    EXPECT_FALSE(DecodeProfile(bytes, target));
    EXPECT_FALSE(LoadProfileFile(dir_ / "missing.profile", target));
    EXPECT_FALSE(LoadProfileFile(dir_, target));  // a folder is not a file
    EXPECT_EQ(EncodeProfile(target), before);
}

TEST_F(ProfileFileTest, SaveCreatesMissingFoldersAndLeavesNoTemporaryFile) {
    const fs::path path = dir_ / "Velmor" / "ORVA7100" / "Profiles" / "Default1.profile";
    ASSERT_TRUE(SaveProfileFile(Profile(), path));
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()),
              1);
}

TEST_F(ProfileFileTest, ExportUnderANameWithoutExtensionKeepsThatName) {
    ASSERT_TRUE(SaveProfileFile(Profile(), dir_ / "mine"));
    EXPECT_TRUE(fs::is_regular_file(dir_ / "mine"));
}

TEST_F(ProfileFileTest, FailedSaveKeepsTheOldFileWhole) {
    const fs::path path = dir_ / "keep.profile";
    ASSERT_TRUE(SaveProfileFile(RichProfile(), path));
    const auto before = ReadFile(path);

    // A folder in the place of the file: the replace step must fail, not swallow the folder.
    const fs::path blocked = dir_ / "blocked.profile";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(SaveProfileFile(Profile(), blocked));
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));

    // A file in the place of the folder: nothing can be written, nothing changes.
    std::ofstream(dir_ / "notafolder") << "x";
    EXPECT_FALSE(SaveProfileFile(Profile(), dir_ / "notafolder" / "p.profile"));

    EXPECT_EQ(ReadFile(path), before);
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

// A process that has ended. On Windows its handle stays open, so no new process takes its id.
class EndedProcess {
  public:
    EndedProcess() {
#ifdef _WIN32
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        std::wstring command = std::wstring(L"\"") + system + L"\\cmd.exe\" /c exit";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                           nullptr, nullptr, &startup, &info)) {
            const ScopedHandle thread(info.hThread);
            process_.Reset(info.hProcess);
            WaitForSingleObject(info.hProcess, 10000);
            id_ = info.dwProcessId;
        }
#else
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        int status = 0;
        if (child > 0 && waitpid(child, &status, 0) == child)
            id_ = static_cast<uint32_t>(child);
#endif
    }
    EndedProcess(const EndedProcess&) = delete;
    EndedProcess& operator=(const EndedProcess&) = delete;
    uint32_t Id() const {
        return id_;
    }

  private:
    uint32_t id_ = 0;
#ifdef _WIN32
    ScopedHandle process_;
#endif
};

uint32_t OwnProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<uint32_t>(getpid());
#endif
}

std::set<std::string> FolderNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST_F(ProfileFileTest, StartTidyingRemovesOnlyTemporariesOfEndedWriters) {
    const EndedProcess ended;
    ASSERT_NE(ended.Id(), 0u);
    EXPECT_FALSE(ProcessMayBeRunning(ended.Id()));
    EXPECT_TRUE(ProcessMayBeRunning(OwnProcessId()));
    // What a save names its temporary is what the tidying recognises, with the writer's id.
    EXPECT_EQ(TemporaryFileWriter(TemporaryPathBeside(dir_ / "Default1.profile")), OwnProcessId());

    const std::string gone = std::to_string(ended.Id());
    const std::string own = std::to_string(OwnProcessId());
    const std::set<std::string> stale{"Default1.profile.tmp" + gone + "-0",
                                      "macroList.dat.tmp" + gone + "-17"};
    // The writer still runs, or the name is not one a save makes.
    const std::set<std::string> kept{
        "Default2.profile.tmp" + own + "-3",
        "Default1.profile",
        "Default3.profile.tmp",
        ".tmp" + gone + "-0",
        "a.tmp" + gone + "-",
        "a.tmp-1",
        "a.tmp" + gone + "-1x",
        "a.tmp0" + gone + "-1",
        "a.TMP" + gone + "-1",
        "a.tmp" + gone + "-1.bak",
        "a.tmp" + gone + "-01",
        "a.tmp99999999999-1",
        "a.tmp+" + gone + "-1",
    };
    for (const std::set<std::string>* names : {&stale, &kept}) {
        for (const std::string& name : *names)
            std::ofstream(dir_ / name) << "x";
    }
    const std::string folder = "Default4.profile.tmp" + gone + "-2";
    fs::create_directories(dir_ / folder / "inside");

    EXPECT_EQ(RemoveStaleTemporaries(dir_), 2);
    std::set<std::string> expected = kept;
    expected.insert(folder);
    EXPECT_EQ(FolderNames(dir_), expected);
    EXPECT_TRUE(fs::is_directory(dir_ / folder / "inside"));
    // A folder that is not there is no failure.
    EXPECT_EQ(RemoveStaleTemporaries(dir_ / "missing"), 0);
}

#ifndef _WIN32
TEST_F(ProfileFileTest, SavingTheSameBytesLeavesTheFileAloneAndNewBytesReplaceIt) {
    const fs::path path = dir_ / "same.profile";
    ASSERT_TRUE(SaveProfileFile(RichProfile(), path));
    struct stat first {};
    ASSERT_EQ(stat(path.c_str(), &first), 0);
    ASSERT_TRUE(SaveProfileFile(RichProfile(), path));
    struct stat again {};
    ASSERT_EQ(stat(path.c_str(), &again), 0);
    EXPECT_EQ(again.st_ino, first.st_ino) << "an unchanged profile is not written again";

    // A file that merely starts like the new bytes, or is longer, is replaced.
    const std::vector<uint8_t> whole = ReadFile(path);
    Profile changed = RichProfile();
    changed.name = u"Changed";
    ASSERT_TRUE(SaveProfileFile(changed, path));
    struct stat replaced {};
    ASSERT_EQ(stat(path.c_str(), &replaced), 0);
    EXPECT_NE(replaced.st_ino, first.st_ino);
    std::ofstream(path, std::ios::binary | std::ios::app) << "tail";
    ASSERT_TRUE(SaveProfileFile(changed, path));
    Profile loaded;
    ASSERT_TRUE(LoadProfileFile(path, loaded));
    EXPECT_EQ(loaded.name, u"Changed");
    EXPECT_EQ(ReadFile(path).size(), EncodeProfile(changed).size());
    EXPECT_NE(whole, ReadFile(path));
}

TEST_F(ProfileFileTest, DefaultProfilesTakeSlotNamesAndLoadTheirFiles) {
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    Profile third = RichProfile();
    third.name = u"Saved";
    ASSERT_TRUE(SaveProfileFile(third, DefaultProfilePath(3)));
    ProfileSet profiles;
    LoadDefaultProfiles(profiles);
    EXPECT_EQ(profiles[0].name, u"Profile1");
    EXPECT_EQ(profiles[4].name, u"Profile5");
    EXPECT_EQ(profiles[4].index, 4);
    EXPECT_EQ(profiles[2].name, u"Saved");
    EXPECT_EQ(profiles[2].filePath, dir_ / "Velmor" / "ORVA7100" / "Profiles" / "Default3.profile");
    unsetenv("XDG_DATA_HOME");
}
#endif

}  // namespace
