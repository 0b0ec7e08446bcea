// The skin sheets of a display scale: the set of the window's scale, else the nearest larger,
// read from the Skins folder the build ships and its scale subfolders, each decoded on first use.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/ProgramFolder.h"
#include "skin/ScaledSkinSheets.h"
#include "skin/SkinImages.h"

namespace fs = std::filesystem;

namespace {

class ScaledSheets : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(token_); }

    static fs::path Built() {
        return ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins";
    }

    static inline ULONG_PTR token_ = 0;
};

TEST_F(ScaledSheets, EachDpiTakesItsOwnSetOrTheNearestLargerOneWhole) {
    struct Case {
        uint32_t dpi;
        int percent;
    };
    for (const Case c : {Case{96, 100}, Case{120, 125}, Case{144, 150}, Case{168, 200},
                         Case{192, 200}, Case{288, 200}}) {
        CScaledSkinSheets sheets(c.dpi, Built());
        EXPECT_EQ(sheets.ArtPercent(), c.percent) << c.dpi;
        EXPECT_TRUE(sheets.MissingSheets().empty()) << c.dpi;
        // The main window's sheet, 800 x 600 at 100 %, at the size of its scale.
        Gdiplus::Bitmap* main = sheets.Sheet(0);
        ASSERT_NE(main, nullptr) << c.dpi;
        const DisplayScale art = DisplayScale::FromPercent(c.percent);
        EXPECT_EQ(main->GetWidth(), static_cast<UINT>(art.Scale(800))) << c.dpi;
        EXPECT_EQ(main->GetHeight(), static_cast<UINT>(art.Scale(600))) << c.dpi;
    }
}

TEST_F(ScaledSheets, SheetsAreDecodedOnlyWhenAskedFor) {
    CScaledSkinSheets sheets(192, Built());
    for (int i = 0; i < kSkinSheetCount; ++i)
        ASSERT_FALSE(sheets.IsDecoded(i)) << i;
    ASSERT_NE(sheets.Sheet(4), nullptr);
    EXPECT_TRUE(sheets.IsDecoded(4));
    EXPECT_FALSE(sheets.IsDecoded(0));
    EXPECT_EQ(sheets.Sheet(4), sheets.Sheet(4));  // decoded once, kept
    EXPECT_EQ(sheets.Sheet(-1), nullptr);
    EXPECT_EQ(sheets.Sheet(kSkinSheetCount), nullptr);
}

TEST_F(ScaledSheets, AFolderWithoutTheScaleNamesEverySheetMissing) {
    const fs::path empty = fs::temp_directory_path() / L"orva-scaled-skins";
    std::error_code error;
    fs::remove_all(empty, error);
    fs::create_directories(empty / L"150");
    CScaledSkinSheets sheets(144, empty);
    EXPECT_EQ(sheets.Folder(), empty / L"150");
    EXPECT_EQ(sheets.MissingSheets().size(), static_cast<size_t>(kSkinSheetCount));
    EXPECT_EQ(sheets.Sheet(0), nullptr);
    fs::remove_all(empty, error);
}

}  // namespace
