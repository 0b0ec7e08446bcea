#pragma once
// Skin sheets and drawing helpers: loading images, the process-wide cache of sheets,
// GetSkinPiece, DrawLabel, fonts, and drawing an image into a rectangle.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "skin/SkinBitmaps.h"
#include "skin/SkinImage.h"
#include "skin/logic/DisplayScale.h"
#include "skin/logic/PixelRect.h"
#include "skin/logic/SkinPieces.h"

// The folder the sheets are loaded from: the program's folder + "Skins" unless set before the
// first load (test programs point it at the build's skins).
void SetSkinFolder(const std::filesystem::path& folder);
std::filesystem::path SkinFolder();
// Receives the one message about missing skin files; by default a message box.
void SetSkinProblemReporter(std::function<void(const std::wstring& message)> reporter);

// Checks the skin folder once; later calls do nothing. Missing or unreadable files leave their
// sheets absent and are reported once, naming them. Sound sheets stay open to be read from.
void LoadSkinSheets() noexcept;
// Frees the cache; the program calls it before shutting GDI+ down.
void ReleaseSkinSheets() noexcept;
// The sheet by its index in kSkinSheets (decoded now if it was not yet), or null.
Gdiplus::Bitmap* SkinSheet(int index) noexcept;

// The display scale every skinned window of the process is laid out and drawn at: the main
// window, its pages, pop-ups and menus sit together, so there is one. 96 DPI until set; the
// main window sets it from its own DPI before it makes any control.
void SetSkinScale(uint32_t dpi) noexcept;
const DisplayScale& SkinScale() noexcept;
// A length, or a rectangle of a 96-DPI layout table, at the skin scale.
int ScaledLength(int length) noexcept;
RECT ScaledRect(const PixelRect& rect) noexcept;
// The DPI a window is laid out at: its own where the system scales each monitor, else the
// screen's.
uint32_t WindowDpi(HWND window) noexcept;

// A file of the skin folder other than the sheets (the analysis frames), drawn for the skin
// scale: from the scale's folder (or the nearest larger one) where it is there, else the 100 %
// file; the caller draws it at its place's size. Null when neither can be read.
std::unique_ptr<Gdiplus::Bitmap> LoadSkinFileAtScale(const char* name) noexcept;

// The image for a piece id and state, at the skin scale. Cut pieces take (left, top)-(right,
// bottom) of the sheet, in 96-DPI pixels: at another scale the piece is cut from the sheets of
// that scale at the scaled rectangle (or from the nearest larger set and shrunk). The image is
// cut when it is first looked at, or earlier by CutPendingSkinPieces: at 96 DPI by reading its
// rows from the sheet's file, a shared sheet by decoding it once. A piece whose sheet is
// missing is empty at once.
SkinImage GetSkinPiece(int id, int state, int left, int top, int right, int bottom) noexcept;
// Cuts up to `count` of the pieces asked for and not looked at yet, oldest first: idle work
// after the first paint, so that hidden pages and the other states of the controls are ready
// when they show. True while pieces remain.
bool CutPendingSkinPieces(int count) noexcept;
// The image of a pending piece (cut now unless that was done in idle time); the piece is spent.
SkinImage TakePendingSkinPiece(PendingSkinPiece& piece) noexcept;
// A window's opaque background read straight from its sheet's file into a 32-bit top-down DIB
// section, `bits` at its pixels and `size` its size, without cutting or decoding: for a piece
// not cut yet from a plain bitmap at 96 DPI. Null for any other image, which the caller
// converts itself.
HBITMAP ReadSkinPieceAsBitmap(const SkinImage& image, void*& bits, SIZE& size) noexcept;

struct DrawLabelRecord {
    std::wstring text;
    COLORREF colour = 0;
    bool centreHorizontally = false;
    bool centreVertically = false;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
// One line of text, transparent, unclipped; the font (when given) stays selected.
void DrawLabel(const DrawLabelRecord& label, HFONT font, HDC dc) noexcept;

// "Arial", weight 400, of a height in 96-DPI pixels, at the skin scale. The caller owns it (a
// ScopedFont); controls keep theirs in a CSkinFont, which follows the scale.
HFONT CreateSkinFont(int pixelHeight) noexcept;

// Prepares a graphics surface the way every skinned control draws: high-quality smoothing.
void PrepareGraphics(Gdiplus::Graphics& graphics) noexcept;
// Draws an image scaled to a rectangle; pixel for pixel when the sizes match. Nothing for null.
void DrawSkinImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int width,
                   int height) noexcept;
