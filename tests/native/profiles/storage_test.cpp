#include "Storage.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

class StorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               (std::string("orva-storage-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
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

TEST(Storage, ApplicationFolderIsTheExecutablesFolder) {
#ifdef _WIN32
    EXPECT_EQ(FolderOfExecutablePath(L"D:\\Tools\\App.exe"), fs::path(L"D:\\Tools"));
#else
    EXPECT_EQ(FolderOfExecutablePath("/opt/tools/app"), fs::path("/opt/tools"));
#endif
    EXPECT_EQ(FolderOfExecutablePath("app"), fs::path());
    EXPECT_FALSE(ApplicationFolder().empty());
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
#endif

}  // namespace
