#pragma once
// Which sheet a skin piece id comes from and how: the piece table of the skin cache.
// Portable; the Win32 side (SkinImages) turns the answer into an image.

#include <cstdint>

#include "skin/logic/SkinSheets.h"

// Visual state of a skinned control, and the state argument of GetSkinPiece.
enum SkinState : int { kSkinNormal = 0, kSkinOver = 1, kSkinDown = 2, kSkinDisable = 3 };

inline constexpr int kHighestPieceId = 150;

enum class PieceKind {
    kNone,    // no image for this id and state
    kCopy,    // a copy of the whole sheet, owned by the caller
    kShared,  // the cached sheet itself, owned by the cache
    kCut,     // a new image cut from the sheet at the caller's rectangle
};

struct PieceSource {
    PieceKind kind = PieceKind::kNone;
    int sheet = -1;  // index into kSkinSheets
};

// The sheet of a family for a role, or -1 when the family has none.
int SheetIndex(SkinFamily family, SheetRole role);

PieceSource LookUpSkinPiece(int id, int state);

// 0xAARRGGBB to a Windows colour value 0x00BBGGRR; alpha is dropped.
constexpr uint32_t ArgbToColourRef(uint32_t argb) {
    return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

inline constexpr uint32_t kArgbWhite = 0xFFFFFFFF;
inline constexpr uint32_t kArgbAccent = 0xFFB3D335;
