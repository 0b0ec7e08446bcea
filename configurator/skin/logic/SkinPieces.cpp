#include "skin/logic/SkinPieces.h"

namespace {

struct PieceRange {
    int first;
    int last;
    SkinFamily family;
    PieceKind kind;
    SheetRole wholeRole;  // for kCopy and kShared: the sheet taken whole
};

// clang-format off
constexpr PieceRange kRanges[] = {
    {0, 0, SkinFamily::kMain, PieceKind::kCopy, SheetRole::kNormal},
    {1, 22, SkinFamily::kMain, PieceKind::kCut, SheetRole::kNormal},
    {23, 23, SkinFamily::kMousePage, PieceKind::kShared, SheetRole::kNormal},
    {24, 47, SkinFamily::kMousePage, PieceKind::kCut, SheetRole::kNormal},
    {48, 48, SkinFamily::kSensorPage, PieceKind::kShared, SheetRole::kNormal},
    {49, 58, SkinFamily::kSensorPage, PieceKind::kCut, SheetRole::kNormal},
    {59, 59, SkinFamily::kColourPage, PieceKind::kShared, SheetRole::kNormal},
    {60, 96, SkinFamily::kColourPage, PieceKind::kCut, SheetRole::kNormal},
    {97, 97, SkinFamily::kMacroPage, PieceKind::kShared, SheetRole::kBackground},
    {98, 104, SkinFamily::kMacroPage, PieceKind::kCut, SheetRole::kNormal},
    {105, 105, SkinFamily::kSupportPage, PieceKind::kShared, SheetRole::kNormal},
    {106, 110, SkinFamily::kSupportPage, PieceKind::kCut, SheetRole::kNormal},
    {111, 111, SkinFamily::kSliderThumb, PieceKind::kCopy, SheetRole::kNormal},
    {112, 112, SkinFamily::kSliderThumb, PieceKind::kCopy, SheetRole::kDisable},
    {113, 113, SkinFamily::kScrollBar, PieceKind::kCopy, SheetRole::kNormal},
    {114, 116, SkinFamily::kScrollBar, PieceKind::kCut, SheetRole::kNormal},
    {117, 117, SkinFamily::kRename, PieceKind::kShared, SheetRole::kNormal},
    {118, 121, SkinFamily::kRename, PieceKind::kCut, SheetRole::kNormal},
    {122, 122, SkinFamily::kLeftClickWarning, PieceKind::kShared, SheetRole::kNormal},
    {123, 124, SkinFamily::kLeftClickWarning, PieceKind::kCut, SheetRole::kNormal},
    {125, 125, SkinFamily::kDeleteMacro, PieceKind::kShared, SheetRole::kNormal},
    {126, 128, SkinFamily::kDeleteMacro, PieceKind::kCut, SheetRole::kNormal},
    {129, 129, SkinFamily::kAnalysisStart, PieceKind::kShared, SheetRole::kNormal},
    {130, 132, SkinFamily::kAnalysisStart, PieceKind::kCut, SheetRole::kNormal},
    {133, 133, SkinFamily::kAnalysisMove, PieceKind::kShared, SheetRole::kNormal},
    {134, 138, SkinFamily::kAnalysisMove, PieceKind::kCut, SheetRole::kNormal},
    {139, 139, SkinFamily::kAnalysisFinish, PieceKind::kShared, SheetRole::kNormal},
    {140, 141, SkinFamily::kAnalysisFinish, PieceKind::kCut, SheetRole::kNormal},
    {142, 142, SkinFamily::kResetWarning, PieceKind::kShared, SheetRole::kNormal},
    {143, 145, SkinFamily::kResetWarning, PieceKind::kCut, SheetRole::kNormal},
    {146, 146, SkinFamily::kSingleKey, PieceKind::kShared, SheetRole::kNormal},
    {147, 150, SkinFamily::kSingleKey, PieceKind::kCut, SheetRole::kNormal},
};
// clang-format on

bool RoleForState(SkinFamily family, int state, SheetRole& role) {
    if (family == SkinFamily::kScrollBar) {
        // The scroll bar's arrows and thumb rest on the down sheet and light up from the over
        // sheet; there is no other state.
        if (state == kSkinNormal) {
            role = SheetRole::kDown;
            return true;
        }
        if (state == kSkinOver) {
            role = SheetRole::kOver;
            return true;
        }
        return false;
    }
    switch (state) {
        case kSkinNormal:
            role = SheetRole::kNormal;
            return true;
        case kSkinOver:
            role = SheetRole::kOver;
            return true;
        case kSkinDown:
            role = SheetRole::kDown;
            return true;
        case kSkinDisable:
            role = SheetRole::kDisable;
            return true;
        default:
            return false;
    }
}

}  // namespace

int SheetIndex(SkinFamily family, SheetRole role) {
    for (int i = 0; i < kSkinSheetCount; ++i) {
        if (kSkinSheets[i].family == family && kSkinSheets[i].role == role) {
            return i;
        }
    }
    return -1;
}

PieceSource LookUpSkinPiece(int id, int state) {
    if (id < 0 || id > kHighestPieceId) {
        return {};
    }
    for (const PieceRange& range : kRanges) {
        if (id < range.first || id > range.last) {
            continue;
        }
        if (range.kind != PieceKind::kCut) {
            return {range.kind, SheetIndex(range.family, range.wholeRole)};
        }
        SheetRole role;
        if (!RoleForState(range.family, state, role)) {
            return {};
        }
        int sheet = SheetIndex(range.family, role);
        if (sheet < 0) {
            return {};
        }
        return {PieceKind::kCut, sheet};
    }
    return {};
}
