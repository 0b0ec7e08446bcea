#include <gtest/gtest.h>

#include "logic/LaunchMode.h"
#include "logic/UpdaterPaths.h"

namespace {

TEST(UpdaterPaths, FilesBesideTheProgramAndTheMonitorOneFolderUp) {
    const std::wstring folder = UpdaterPaths::FolderOf(L"C:\\Games\\ORVA\\Romvane\\Updater.exe");
    EXPECT_EQ(folder, L"C:\\Games\\ORVA\\Romvane\\");
    EXPECT_EQ(UpdaterPaths::ConfigIni(folder), L"C:\\Games\\ORVA\\Romvane\\config.ini");
    EXPECT_EQ(UpdaterPaths::DriverLibrary(folder), L"C:\\Games\\ORVA\\Romvane\\hiddriver.dll");
    EXPECT_EQ(UpdaterPaths::MonitorProgram(folder), L"C:\\Games\\ORVA\\ORVA_Monitor.EXE");
    // A program at the top of a drive has no folder above: the monitor is looked for beside it.
    EXPECT_EQ(UpdaterPaths::MonitorProgram(L"C:\\"), L"C:\\ORVA_Monitor.EXE");
    EXPECT_EQ(UpdaterPaths::FolderOf(L"Updater.exe"), L"");
}

TEST(UpdaterPaths, FirmwareNameIsAFileBesideOrAPathAsGiven) {
    const std::wstring folder = L"C:\\ORVA\\Romvane\\";
    EXPECT_EQ(UpdaterPaths::FirmwareFile(folder, L"fw109.bin"), L"C:\\ORVA\\Romvane\\fw109.bin");
    EXPECT_EQ(UpdaterPaths::FirmwareFile(folder, L"D:\\images\\fw.bin"), L"D:\\images\\fw.bin");
    EXPECT_EQ(UpdaterPaths::FirmwareFile(folder, L"sub\\fw.bin"), L"sub\\fw.bin");
    // config.ini's value is read into 260 characters, terminator included.
    const std::wstring longName(400, L'a');
    EXPECT_EQ(UpdaterPaths::FirmwareFile(folder, longName), folder + std::wstring(259, L'a'));
}

TEST(LaunchMode, FirstCharacterOfTheCommandLineDecides) {
    EXPECT_EQ(LaunchModeFromCommandLine(L""), LaunchMode::kOfferUpdate);
    EXPECT_EQ(LaunchModeFromCommandLine(L"1"), LaunchMode::kOfferUpdate);
    EXPECT_EQ(LaunchModeFromCommandLine(L"2"), LaunchMode::kOfferUpdate);
    EXPECT_EQ(LaunchModeFromCommandLine(L"0"), LaunchMode::kOfferDriver);
    EXPECT_EQ(LaunchModeFromCommandLine(L"3"), LaunchMode::kUpToDate);
    EXPECT_EQ(LaunchModeFromCommandLine(L"30"), LaunchMode::kUpToDate);
    EXPECT_EQ(LaunchModeFromCommandLine(L"x"), LaunchMode::kTransferNow);
    EXPECT_EQ(LaunchModeFromCommandLine(L" 1"), LaunchMode::kTransferNow);
}

}  // namespace
