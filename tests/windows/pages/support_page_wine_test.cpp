// The support page: the two versions with and without a mouse, and "Check Firmware" starting
// the updater with the verdict of config.ini against the mouse (a recorder stands in for the
// updater and writes down its argument).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PageTestHost.h"
#include "SkinImages.h"
#include "Storage.h"
#include "SupportDlg.h"
#include "SupportPageIds.h"
#include "ui_test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ReadLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

class SupportPageWineTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }
    void SetUp() override { ASSERT_TRUE(host.Open(800, 360)); }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(install, error);
    }
    HWND Open(CSupportDlg& page) {
        EXPECT_TRUE(page.Create(host.Hwnd()));
        page.Move(10, 10, 779, 338);
        page.Show(true);
        PumpFor(50);
        return page.Hwnd();
    }
    std::wstring FirmVersion(HWND page) const {
        return ControlText(GetDlgItem(page, IDC_SUPPORT_FIRM_VERSION));
    }

    CPageTestHost host;
    fs::path install = fs::temp_directory_path() / L"orva-support-page-test";
};

TEST_F(SupportPageWineTest, VersionsWithTheMouseWithoutItAndAsTheMainWindowReportsThem) {
    CSupportDlg page(host);
    HWND window = Open(page);
    EXPECT_EQ(ControlText(GetDlgItem(window, IDC_SUPPORT_SOFT_VERSION)), L"1.34");
    EXPECT_EQ(FirmVersion(window), L"1.09");
    CWindowCapture(window).SaveArtifact(L"pages-support-page");
    page.ShowFirmwareVersion(std::nullopt);
    EXPECT_EQ(FirmVersion(window), L"-.--");
    page.ShowFirmwareVersion(201);
    EXPECT_EQ(FirmVersion(window), L"0.00");
    page.ShowFirmwareVersion(200);
    EXPECT_EQ(FirmVersion(window), L"2.00");

    // Opened while the mouse is away.
    host.transport.model.Unplug();
    host.link.Invalidate();
    CSupportDlg second(host);
    EXPECT_EQ(FirmVersion(Open(second)), L"-.--");
}

TEST_F(SupportPageWineTest, CheckFirmwareStartsTheUpdaterWithTheVerdict) {
    const fs::path folder = install / L"Romvane";
    fs::create_directories(folder);
    fs::copy_file(ApplicationFolder() / L"pages_argument_recorder.exe", folder / L"Updater.exe");
    const fs::path config = folder / L"config.ini";
    const fs::path arguments = folder / L"arguments.txt";

    CSupportDlg page(host);
    page.SetApplicationFolder(install);
    HWND window = Open(page);
    struct Case {
        const char* config;  // null: no config.ini
        const char* argument;
    };
    const Case cases[] = {{"Version=110", "1"},
                          {"Version=109", "3"},
                          {"Version=108", "0"},
                          {"Name=ORVA7100.bin", "1"},
                          {nullptr, "1"}};
    size_t expected = 0;
    for (const Case& c : cases) {
        if (c.config != nullptr) {
            std::ofstream(config, std::ios::binary | std::ios::trunc) << "[Firmware]\r\n"
                                                                      << c.config << "\r\n";
        } else {
            fs::remove(config);
        }
        ClickControl(window, IDC_SUPPORT_CHECK_FIRMWARE);
        ++expected;
        ASSERT_TRUE(PumpUntil([&] { return ReadLines(arguments).size() == expected; }, 10000))
            << (c.config ? c.config : "no config.ini") << ": " << ReadLines(arguments).size()
            << " lines";
        EXPECT_EQ(ReadLines(arguments).back(), c.argument) << (c.config ? c.config : "none");
    }
}

}  // namespace
