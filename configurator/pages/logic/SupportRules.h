#pragma once
// The support page's rules: the version texts, the support site's addresses, and the argument
// the firmware updater is started with.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The configurator's own version as the page shows it.
inline constexpr wchar_t kSoftwareVersionText[] = L"1.34";

// The support site (the one the firmware updater also sends people to).
inline constexpr wchar_t kSupportStartPage[] = L"https://support.velmor.com/";
inline constexpr wchar_t kSupportDownloadPage[] =
    L"https://support.velmor.com/categories/20014118-software-manual-downloads";

// Where the firmware package lives, under the application folder.
inline constexpr wchar_t kUpdaterFolder[] = L"Romvane";
inline constexpr wchar_t kUpdaterProgram[] = L"Updater.exe";
inline constexpr wchar_t kUpdaterConfigFile[] = L"config.ini";
inline constexpr wchar_t kFirmwareSection[] = L"Firmware";
inline constexpr wchar_t kFirmwareVersionKey[] = L"Version";
// What the package version reads as when the file, section or key is missing.
inline constexpr wchar_t kFirmwareVersionDefault[] = L"1000";
// The buffer the value is read into, in characters.
inline constexpr int kFirmwareVersionBuffer = 260;

// "Firm Version": "-.--" without a version; the version / 100 with two decimals when it lies
// in 100 .. 200; "0.00" for anything else.
std::wstring FirmwareVersionText(std::optional<int32_t> version);

// The updater's argument from the package's version value (the text read from config.ini) and
// the mouse's version: "3" equal, "1" the package is newer, "0" the mouse is newer.
std::wstring UpdaterArgument(std::wstring_view packageVersionValue, int32_t mouseVersion);
