// The piece table of the skin cache, DrawLabel placement and the colour conversion.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skin/logic/LabelPlacement.h"
#include "skin/logic/SkinPieces.h"
#include "skin/logic/SkinSheets.h"

namespace {

std::string SheetName(const PieceSource& source) {
    return source.sheet >= 0 ? kSkinSheets[source.sheet].name : "";
}

TEST(SkinSheets, FiftySixDistinctFilesInFamilyOrder) {
    std::set<std::string> names;
    for (const SkinSheetFile& sheet : kSkinSheets) {
        names.insert(sheet.name);
    }
    EXPECT_EQ(names.size(), 56u);
    EXPECT_STREQ(kSkinSheets.front().name, "main_normal.bmp");
    EXPECT_STREQ(kSkinSheets[16].name, "macro_page_bk.bmp");
    EXPECT_STREQ(kSkinSheets.back().name, "single_key_disable.bmp");
}

TEST(SkinPieces, WholeBackgroundsAreSharedOrCopiedAndIgnoreTheState) {
    for (int id : {23, 48, 59, 97, 105, 117, 122, 125, 129, 133, 139, 142, 146}) {
        for (int state = 0; state < 4; ++state) {
            EXPECT_EQ(LookUpSkinPiece(id, state).kind, PieceKind::kShared) << id;
        }
    }
    EXPECT_EQ(SheetName(LookUpSkinPiece(97, 2)), "macro_page_bk.bmp");
    EXPECT_EQ(LookUpSkinPiece(0, 3).kind, PieceKind::kCopy);
    EXPECT_EQ(SheetName(LookUpSkinPiece(0, 3)), "main_normal.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(111, 0)), "slider_normal.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(112, 0)), "slider_disable.bmp");
    EXPECT_EQ(LookUpSkinPiece(113, 1).kind, PieceKind::kCopy);
    EXPECT_EQ(SheetName(LookUpSkinPiece(113, 1)), "Scroll_Normal.bmp");
}

TEST(SkinPieces, CutPiecesComeFromTheSheetOfTheirState) {
    EXPECT_EQ(SheetName(LookUpSkinPiece(1, 0)), "main_normal.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(22, 3)), "main_disable.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(47, 1)), "mouse_page_over.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(98, 0)), "macro_page_normal.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(104, 3)), "macro_page_disable.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(110, 2)), "support_page_down.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(121, 3)), "profile_rename_disable.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(138, 2)), "TQA_move_down.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(150, 3)), "single_key_disable.bmp");
    EXPECT_EQ(LookUpSkinPiece(60, 2).kind, PieceKind::kCut);
}

TEST(SkinPieces, ScrollPartsRestOnTheDownSheetAndLightFromTheOverSheet) {
    EXPECT_EQ(SheetName(LookUpSkinPiece(114, 0)), "Scroll_Down.bmp");
    EXPECT_EQ(SheetName(LookUpSkinPiece(116, 1)), "Scroll_Over.bmp");
    EXPECT_EQ(LookUpSkinPiece(114, 2).kind, PieceKind::kNone);
    EXPECT_EQ(LookUpSkinPiece(115, 3).kind, PieceKind::kNone);
}

TEST(SkinPieces, StatesWithoutASheetAndIdsOutOfRangeGiveNothing) {
    EXPECT_EQ(LookUpSkinPiece(124, 3).kind, PieceKind::kNone);  // three-state pop-up
    EXPECT_EQ(LookUpSkinPiece(130, 3).kind, PieceKind::kNone);
    EXPECT_EQ(LookUpSkinPiece(5, 4).kind, PieceKind::kNone);
    EXPECT_EQ(LookUpSkinPiece(5, -1).kind, PieceKind::kNone);
    EXPECT_EQ(LookUpSkinPiece(151, 0).kind, PieceKind::kNone);
    EXPECT_EQ(LookUpSkinPiece(-1, 0).kind, PieceKind::kNone);
    EXPECT_EQ(LookUpSkinPiece(150, 0).kind, PieceKind::kCut);
}

TEST(SkinPieces, EveryIdUpToTheLastHasASheetInStateZero) {
    for (int id = 0; id <= kHighestPieceId; ++id) {
        PieceSource source = LookUpSkinPiece(id, 0);
        EXPECT_NE(source.kind, PieceKind::kNone) << id;
        EXPECT_GE(source.sheet, 0) << id;
    }
}

TEST(LabelPlacement, CentresWithTruncatingDivision) {
    LabelPoint p = PlaceLabel({0, 0, 101, 21}, 30, 10, true, true);
    EXPECT_EQ(p.x, 35);
    EXPECT_EQ(p.y, 5);
    // Left-aligned and not centred keep the rectangle's corner.
    p = PlaceLabel({5, 7, 101, 21}, 30, 10, false, false);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 7);
    // Centred vertically only, as the button captions are.
    p = PlaceLabel({5, 0, 181, 34}, 60, 17, false, true);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 8);
}

TEST(LabelPlacement, TextWiderThanItsRectangleStartsLeftOfIt) {
    // (10 - 15 - 0) / 2 truncates toward zero to -2, not -3.
    LabelPoint p = PlaceLabel({0, 0, 10, 10}, 15, 15, true, true);
    EXPECT_EQ(p.x, -2);
    EXPECT_EQ(p.y, -2);
    // A rectangle given right of its left edge: (30 - 13 - 20) / 2 = -1.
    p = PlaceLabel({20, 40, 30, 45}, 13, 8, true, true);
    EXPECT_EQ(p.x, 19);
    EXPECT_EQ(p.y, 39);
}

TEST(SkinColours, ArgbBecomesWindowsColourValue) {
    EXPECT_EQ(ArgbToColourRef(kArgbAccent), 0x0035D3B3u);
    EXPECT_EQ(ArgbToColourRef(kArgbWhite), 0x00FFFFFFu);
    EXPECT_EQ(ArgbToColourRef(0x80102030u), 0x00302010u);
}

}  // namespace
