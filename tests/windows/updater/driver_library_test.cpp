#include <gtest/gtest.h>

#include <string>

#include "app/DriverLibraryWin.h"

namespace {

// hiddriver.dll of this build, as Wine sees the host path.
std::wstring HidDriverPath() {
    const std::string host = ORVA_HIDDRIVER_PATH;
    std::wstring path = L"Z:";
    for (char c : host)
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

TEST(DriverLibrary, MissingLibraryOrExportsBindNothing) {
    CDriverLibrary library;
    EXPECT_FALSE(library.Load(L"C:\\no such folder\\hiddriver.dll"));
    EXPECT_FALSE(library.IsLoaded());
    uint8_t report[8] = {0x20};
    EXPECT_EQ(library.SetFeature(report, 8), 0);
    EXPECT_EQ(library.GetFeature(report, 8), 0);
    EXPECT_EQ(library.OpenFeatureDevice(), 0);
    library.CloseDevMonitor();
    library.CloseFeatureDevice();

    // A library without the six calls is refused as a whole.
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_FALSE(library.Load(std::wstring(system) + L"\\version.dll"));
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DriverLibrary, HidDriverRefusesWithoutAMouse) {
    // A virtual mouse address where nothing listens: nothing opens, nothing is sent.
    SetEnvironmentVariableW(L"ORVA7100_VIRTUAL_MOUSE", L"127.0.0.1:1");
    CDriverLibrary library;
    ASSERT_TRUE(library.Load(HidDriverPath()));
    library.OpenDevMonitor(nullptr, 1325, 1326);
    EXPECT_EQ(library.OpenFeatureDevice(), 0);
    uint8_t report[8] = {0x20, 0x06, 0x09};
    EXPECT_EQ(library.SetFeature(report, 8), 0);
    EXPECT_EQ(library.GetFeature(report, 8), 0);
    library.CloseDevMonitor();
    library.CloseFeatureDevice();
    library.Release();
    SetEnvironmentVariableW(L"ORVA7100_VIRTUAL_MOUSE", nullptr);
}

}  // namespace
