// A skin folder with files missing: the missing sheets are named in one message, once, and
// their pieces are absent while the others load. A process of its own, as the cache loads once.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "ui_test_support.h"

namespace fs = std::filesystem;

TEST(MissingSkins, ReportedOnceByNameAndTheirPiecesAreAbsent) {
    fs::path built = ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins";
    const TempFolder temp("missing-skins");
    const fs::path& folder = temp.Path();
    std::error_code ec;
    // Everything but the mouse page's over sheet and the single-key disable sheet; the main
    // window's normal sheet is replaced by a file that is no image.
    for (const SkinSheetFile& sheet : kSkinSheets) {
        std::string name = sheet.name;
        if (name == "mouse_page_over.bmp" || name == "single_key_disable.bmp") {
            continue;
        }
        ASSERT_TRUE(fs::copy_file(built / name, folder / name, ec)) << name;
    }
    {
        FILE* bad = _wfopen((folder / L"main_normal.bmp").c_str(), L"wb");
        ASSERT_NE(bad, nullptr);
        fputs("not a bitmap", bad);
        fclose(bad);
    }
    std::vector<std::wstring> reports;
    SetSkinProblemReporter([&](const std::wstring& message) { reports.push_back(message); });
    SetSkinFolder(folder);

    EXPECT_FALSE(GetSkinPiece(24, 1, 52, 39, 234, 60));
    EXPECT_TRUE(GetSkinPiece(24, 0, 52, 39, 234, 60));
    EXPECT_FALSE(GetSkinPiece(0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(GetSkinPiece(150, 3, 168, 107, 260, 130));
    EXPECT_TRUE(GetSkinPiece(150, 2, 168, 107, 260, 130));
    LoadSkinSheets();

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              L"Skin file missing: main_normal.bmp, mouse_page_over.bmp, single_key_disable.bmp. "
              L"Please reinstall the configurator.");
}
