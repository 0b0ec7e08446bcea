#include "profiles/Storage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "TempFolder.h"
#include "base/TextConvert.h"
#include "profiles/ProfileFile.h"

namespace fs = std::filesystem;

namespace {

class StorageTest : public ::testing::Test {
  protected:
    TempFolder temp_{"storage"};
    const fs::path dir_ = temp_.Path();
};

TEST_F(StorageTest, CreatesEveryMissingFolderButNotTheFileName) {
    const fs::path file = dir_ / "Velmor" / "ORVA7100" / "Profiles" / "Default1.profile";
    CreateFolderTree(file);
    EXPECT_TRUE(fs::is_directory(dir_ / "Velmor" / "ORVA7100" / "Profiles"));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(StorageTest, AFolderNameWithADotIsTakenForAFile) {
    CreateFolderTree(dir_ / "Data" / "release.2");
    EXPECT_TRUE(fs::is_directory(dir_ / "Data"));
    EXPECT_FALSE(fs::exists(dir_ / "Data" / "release.2"));
    CreateFolderTree(dir_ / "Plain");
    EXPECT_TRUE(fs::is_directory(dir_ / "Plain"));
}

TEST_F(StorageTest, AnExistingFileIsLeftAlone) {
    std::ofstream(dir_ / "file") << "x";
    CreateFolderTree(dir_ / "file");
    EXPECT_TRUE(fs::is_regular_file(dir_ / "file"));
}

TEST_F(StorageTest, AFileWithoutExtensionGetsOnlyItsFolders) {
    CreateFolderTreeForFile(dir_ / "a" / "b" / "mine");
    EXPECT_TRUE(fs::is_directory(dir_ / "a" / "b"));
    EXPECT_FALSE(fs::exists(dir_ / "a" / "b" / "mine"));
}

// The program's own path read through a call with GetModuleFileNameW's contract: a path longer
// than MAX_PATH once came back empty, so skins would have been looked up in the current folder.
TEST(Storage, LongExecutablePathsAreReadWhole) {
    const auto moduleFileName = [](const std::u16string& path, int& calls) {
        return [&path, &calls](char16_t* buffer, uint32_t size) -> uint32_t {
            ++calls;
            // Cut to the buffer (without room for a terminator the count equals the size).
            const uint32_t copied = std::min<uint32_t>(size, static_cast<uint32_t>(path.size()));
            std::copy_n(path.begin(), copied, buffer);
            if (copied < size)
                buffer[copied] = u'\0';
            return copied;
        };
    };
    for (size_t length : {10u, 259u, 260u, 261u, 600u, 5000u, 32767u}) {
        std::u16string path = u"C:\\";
        while (path.size() < length - 8)
            path += u"deep\\";
        path.resize(length - 8, u'x');
        path += u"\\App.exe";
        ASSERT_EQ(path.size(), length);
        int calls = 0;
        EXPECT_EQ(ReadGrowingText(moduleFileName(path, calls)), path) << length;
        EXPECT_LE(calls, 8);
    }
    int calls = 0;
    const std::u16string tooLong(40000, u'a');
    EXPECT_TRUE(ReadGrowingText(moduleFileName(tooLong, calls)).empty());
    EXPECT_TRUE(ReadGrowingText([](char16_t*, uint32_t) -> uint32_t { return 0; }).empty());
}

TEST(Storage, ApplicationFolderIsTheExecutablesFolder) {
#ifdef _WIN32
    EXPECT_EQ(FolderOfExecutablePath(L"D:\\Tools\\App.exe"), fs::path(L"D:\\Tools"));
#else
    EXPECT_EQ(FolderOfExecutablePath("/opt/tools/app"), fs::path("/opt/tools"));
#endif
    EXPECT_EQ(FolderOfExecutablePath("app"), fs::path());
    EXPECT_FALSE(ApplicationFolder().empty());
    // Run from a known folder (a path far beyond MAX_PATH under Wine), the whole path comes back.
    if (const char* expected = std::getenv("ORVA_EXPECTED_APP_FOLDER")) {
        EXPECT_EQ(ApplicationFolder(), fs::path(Utf8ToUtf16(expected)));
    }
}

#ifndef _WIN32
TEST(Storage, DataFoldersHangBelowTheApplicationData) {
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(DataFolder(), fs::path("/data/home/Velmor/ORVA7100"));
    EXPECT_EQ(MacroFolder(), fs::path("/data/home/Velmor/ORVA7100/Macros"));
    EXPECT_EQ(DefaultProfilePath(5),
              fs::path("/data/home/Velmor/ORVA7100/Profiles/Default5.profile"));
    unsetenv("XDG_DATA_HOME");
}

// No application-data folder: no data folder either, and saving there fails instead of writing
// the user's files relative to wherever the program was started.
TEST_F(StorageTest, NoApplicationDataMeansNoDataFolder) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_TRUE(DataFolder().empty());
    EXPECT_TRUE(ProfileFolder().empty());
    EXPECT_TRUE(MacroFolder().empty());
    EXPECT_TRUE(DefaultProfilePath(1).empty());
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    Profile profile;
    EXPECT_FALSE(SaveProfileFile(profile, DefaultProfilePath(1)));
    EXPECT_TRUE(fs::is_empty(dir_));
    fs::current_path(before);
    if (home != nullptr)
        setenv("HOME", savedHome.c_str(), 1);
}
#endif

}  // namespace
