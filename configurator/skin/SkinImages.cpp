#include "skin/SkinImages.h"

#include <algorithm>
#include <array>
#include <deque>
#include <vector>

#include "base/ProgramFolder.h"
#include "skin/BmpSheetFile.h"
#include "skin/ScaledSkinSheets.h"
#include "skin/SkinBitmaps.h"
#include "skin/logic/LabelPlacement.h"

// A piece asked for by a control and not cut yet. The control's image and the cache's queue
// share it: whichever comes first (the first look, or idle time) cuts it.
struct PendingSkinPiece {
    int id = 0;
    int state = 0;
    PixelRect cut;
    bool done = false;
    SkinImage image;
};

namespace {

// Pieces asked for are queued for cutting in idle time; a queue this long is swept of the
// pieces whose controls are gone (or that were cut on use) before it grows further.
constexpr size_t kPendingSweepLength = 1024;

// The process-wide skin cache: checked once. A plain bitmap sheet stays open and the pieces cut
// from it are read from it, each when it is cut; a sheet shared whole (a page's background) or
// enlarged for a scale without art of its own is decoded when first asked for and kept, and
// any other file is decoded at the check.
struct SkinCache {
    bool loaded = false;
    std::array<std::unique_ptr<Gdiplus::Bitmap>, kSkinSheetCount> sheets;
    std::array<CBmpSheetFile, kSkinSheetCount> files;
    std::filesystem::path loadedFrom;
    std::filesystem::path folder;
    std::function<void(const std::wstring&)> reporter;
    DisplayScale scale{DisplayScale::kBaseDpi};
    // The sheets of the scale, made when a scale other than 96 DPI is first drawn at.
    std::unique_ptr<CScaledSkinSheets> scaled;
    // Pieces asked for and not cut yet, oldest first.
    std::deque<std::weak_ptr<PendingSkinPiece>> uncut;
};

SkinCache& Cache() {
    static SkinCache cache;
    return cache;
}

// The sheets of the skin scale (made again when the scale has changed).
CScaledSkinSheets& ScaledSheets() {
    SkinCache& cache = Cache();
    if (!cache.scaled || cache.scaled->Scale().Dpi() != cache.scale.Dpi()) {
        cache.scaled = std::make_unique<CScaledSkinSheets>(cache.scale.Dpi(), SkinFolder());
    }
    return *cache.scaled;
}

bool IsDone(const std::weak_ptr<PendingSkinPiece>& entry) {
    const std::shared_ptr<PendingSkinPiece> piece = entry.lock();
    return !piece || piece->done;
}

// A piece at a scale other than 96 DPI: from the sheet drawn for the scale (or the nearest
// larger one) at the rectangle scaled to that art, resized where the art is not of this very
// scale. Without that sheet, the 96-DPI one is enlarged.
SkinImage ScaledPiece(const PieceSource& source, const PixelRect& cut) noexcept {
    SkinCache& cache = Cache();
    ScaledSheets();
    const SkinSheetFile& file = kSkinSheets[static_cast<size_t>(source.sheet)];
    const PixelRect whole{0, 0, file.width, file.height};
    const PixelRect area = source.kind == PieceKind::kCut ? cut : whole;
    const PixelRect wanted = cache.scale.Scale(area);
    // The 100 % art (below 96 DPI) is the program's own cache.
    Gdiplus::Bitmap* sheet =
        cache.scaled->ArtPercent() == 100 ? nullptr : cache.scaled->Sheet(source.sheet);
    DisplayScale art = DisplayScale::FromPercent(cache.scaled->ArtPercent());
    if (sheet == nullptr) {
        sheet = SkinSheet(source.sheet);
        art = DisplayScale(DisplayScale::kBaseDpi);
    }
    if (sheet == nullptr) {
        return {};
    }
    if (source.kind == PieceKind::kShared && art.Dpi() == cache.scale.Dpi() &&
        static_cast<int>(sheet->GetWidth()) == wanted.Width() &&
        static_cast<int>(sheet->GetHeight()) == wanted.Height()) {
        return SkinImage::Shared(sheet);
    }
    const PixelRect from = art.Scale(area);
    return SkinImage::Owned(FitTo(
        CopyBitmapRect(*sheet, Gdiplus::Rect(from.left, from.top, from.Width(), from.Height())),
        wanted));
}

// The image of a piece, cut now.
SkinImage CutSkinPiece(int id, int state, const PixelRect& cut) noexcept {
    PieceSource source = LookUpSkinPiece(id, state);
    if (!SkinScale().IsBase() && source.kind != PieceKind::kNone && source.sheet >= 0 &&
        source.sheet < kSkinSheetCount) {
        return ScaledPiece(source, cut);
    }
    if ((source.kind == PieceKind::kCut || source.kind == PieceKind::kCopy) && source.sheet >= 0 &&
        source.sheet < kSkinSheetCount) {
        // Read from the file where the piece lies, without decoding the sheet; a copy is the
        // whole of it. Shared sheets are decoded once and lent to every holder.
        LoadSkinSheets();
        const CBmpSheetFile& file = Cache().files[static_cast<size_t>(source.sheet)];
        if (file.IsOpen()) {
            return SkinImage::Owned(source.kind == PieceKind::kCut ? file.Cut(cut) : file.Whole());
        }
    }
    Gdiplus::Bitmap* sheet = SkinSheet(source.sheet);
    if (sheet == nullptr) {
        return {};
    }
    switch (source.kind) {
        case PieceKind::kShared:
            return SkinImage::Shared(sheet);
        case PieceKind::kCopy:
            return SkinImage::Owned(CopyBitmap(*sheet));
        case PieceKind::kCut:
            return SkinImage::Owned(CopyBitmapRect(
                *sheet, Gdiplus::Rect(cut.left, cut.top, cut.Width(), cut.Height())));
        case PieceKind::kNone:
            break;
    }
    return {};
}

void CutOnce(PendingSkinPiece& piece) noexcept {
    if (!piece.done) {
        piece.done = true;
        piece.image = CutSkinPiece(piece.id, piece.state, piece.cut);
    }
}

// Whether a piece of the sheet can be had at the skin scale, judged without decoding it. The
// skin folder is checked here, at the first ask, so that missing files are reported while the
// windows are made rather than while they paint.
bool SheetAvailable(int sheet) noexcept {
    SkinCache& cache = Cache();
    if (!cache.scale.IsBase()) {
        CScaledSkinSheets& scaled = ScaledSheets();
        if (scaled.ArtPercent() != 100 && scaled.HasFile(sheet)) {
            return true;
        }
    }
    LoadSkinSheets();
    const size_t i = static_cast<size_t>(sheet);
    return cache.files[i].IsOpen() || cache.sheets[i] != nullptr;
}

void ReportMissing(const std::wstring& names) {
    std::wstring message = L"Skin file missing: " + names + L". Please reinstall the configurator.";
    SkinCache& cache = Cache();
    if (cache.reporter) {
        cache.reporter(message);
    } else {
        MessageBoxW(nullptr, message.c_str(), L"ORVA 7100", MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

void SetSkinFolder(const std::filesystem::path& folder) {
    Cache().folder = folder;
}

std::filesystem::path SkinFolder() {
    SkinCache& cache = Cache();
    if (cache.folder.empty()) {
        return ApplicationFolder() / L"Skins";
    }
    return cache.folder;
}

void SetSkinProblemReporter(std::function<void(const std::wstring&)> reporter) {
    Cache().reporter = std::move(reporter);
}

void LoadSkinSheets() noexcept {
    SkinCache& cache = Cache();
    if (cache.loaded) {
        return;
    }
    cache.loaded = true;
    cache.loadedFrom = SkinFolder();
    std::wstring missing;
    for (int i = 0; i < kSkinSheetCount; ++i) {
        std::filesystem::path file = cache.loadedFrom / kSkinSheets[i].name;
        // A plain bitmap whose headers are sound is read when its pieces are cut; anything else
        // is decoded now, so that a file that cannot be read is reported with the others.
        if (cache.files[i].Open(file)) {
            continue;
        }
        cache.sheets[i] = LoadSkinImage(file);
        if (!cache.sheets[i]) {
            if (!missing.empty()) {
                missing += L", ";
            }
            missing += file.filename().wstring();
        }
    }
    if (!missing.empty()) {
        ReportMissing(missing);
    }
}

void ReleaseSkinSheets() noexcept {
    SkinCache& cache = Cache();
    cache.uncut.clear();
    cache.scaled.reset();
    for (auto& sheet : cache.sheets) {
        sheet.reset();
    }
    for (CBmpSheetFile& file : cache.files) {
        file.Close();
    }
    cache.loaded = false;
}

Gdiplus::Bitmap* SkinSheet(int index) noexcept {
    // The folder is checked (and a missing file reported) on the first ask, whatever is asked.
    LoadSkinSheets();
    if (index < 0 || index >= kSkinSheetCount) {
        return nullptr;
    }
    SkinCache& cache = Cache();
    const size_t i = static_cast<size_t>(index);
    if (!cache.sheets[i] && cache.files[i].IsOpen()) {
        cache.sheets[i] = cache.files[i].Whole();
    }
    return cache.sheets[i].get();
}

void SetSkinScale(uint32_t dpi) noexcept {
    Cache().scale = DisplayScale(dpi);
}

const DisplayScale& SkinScale() noexcept {
    return Cache().scale;
}

int ScaledLength(int length) noexcept {
    return SkinScale().Scale(length);
}

RECT ScaledRect(const PixelRect& rect) noexcept {
    const PixelRect scaled = SkinScale().Scale(rect);
    return RECT{scaled.left, scaled.top, scaled.right, scaled.bottom};
}

uint32_t WindowDpi(HWND window) noexcept {
    // Per-window DPI exists from Windows 10 1607 on; earlier systems have one for all windows.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<uint32_t>(dpi) : DisplayScale::kBaseDpi;
}

std::unique_ptr<Gdiplus::Bitmap> LoadSkinFileAtScale(const char* name) noexcept {
    const std::filesystem::path file(name);
    if (const int percent = SkinScale().ArtPercent(); !SkinScale().IsBase() && percent != 100) {
        const std::filesystem::path folder = SkinFolder() / std::to_wstring(percent);
        // The scaled art may be drawn as PNG beside the 100 % bitmap's name.
        for (const std::filesystem::path& scaled :
             {folder / std::filesystem::path(file).replace_extension(L".png"), folder / file}) {
            if (auto image = LoadSkinImage(scaled)) {
                return image;
            }
        }
    }
    return LoadSkinImage(SkinFolder() / file);
}

SkinImage GetSkinPiece(int id, int state, int left, int top, int right, int bottom) noexcept {
    const PieceSource source = LookUpSkinPiece(id, state);
    if (SkinScale().IsBase()) {
        // The folder is checked at the first ask, whatever is asked.
        LoadSkinSheets();
    }
    if (source.kind == PieceKind::kNone || source.sheet < 0 || source.sheet >= kSkinSheetCount ||
        !SheetAvailable(source.sheet)) {
        return {};
    }
    auto piece = std::make_shared<PendingSkinPiece>();
    piece->id = id;
    piece->state = state;
    piece->cut = PixelRect{left, top, right, bottom};
    SkinCache& cache = Cache();
    if (cache.uncut.size() >= kPendingSweepLength) {
        std::erase_if(cache.uncut, IsDone);
    }
    cache.uncut.push_back(piece);
    return SkinImage::Pending(std::move(piece));
}

SkinImage TakePendingSkinPiece(PendingSkinPiece& piece) noexcept {
    CutOnce(piece);
    return std::move(piece.image);
}

HBITMAP ReadSkinPieceAsBitmap(const SkinImage& image, void*& bits, SIZE& size) noexcept {
    const PendingSkinPiece* piece = image.PendingPiece();
    if (piece == nullptr || piece->done || !SkinScale().IsBase()) {
        return nullptr;
    }
    const PieceSource source = LookUpSkinPiece(piece->id, piece->state);
    if (source.kind == PieceKind::kNone || source.sheet < 0 || source.sheet >= kSkinSheetCount) {
        return nullptr;
    }
    LoadSkinSheets();
    const CBmpSheetFile& file = Cache().files[static_cast<size_t>(source.sheet)];
    if (!file.IsOpen()) {
        return nullptr;
    }
    const PixelRect rect =
        source.kind == PieceKind::kCut ? piece->cut : PixelRect{0, 0, file.Width(), file.Height()};
    size = SIZE{rect.Width(), rect.Height()};
    return file.CutToBitmap(rect, bits);
}

bool CutPendingSkinPieces(int count) noexcept {
    std::deque<std::weak_ptr<PendingSkinPiece>>& uncut = Cache().uncut;
    while (count > 0 && !uncut.empty()) {
        const std::shared_ptr<PendingSkinPiece> piece = uncut.front().lock();
        uncut.pop_front();
        if (piece && !piece->done) {
            CutOnce(*piece);
            --count;
        }
    }
    return !uncut.empty();
}

void DrawLabel(const DrawLabelRecord& label, HFONT font, HDC dc) noexcept {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.colour);
    if (font != nullptr) {
        SelectObject(dc, font);
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, label.text.c_str(), static_cast<int>(label.text.size()), &size);
    LabelPoint at = PlaceLabel({label.left, label.top, label.right, label.bottom}, size.cx, size.cy,
                               label.centreHorizontally, label.centreVertically);
    TextOutW(dc, at.x, at.y, label.text.c_str(), static_cast<int>(label.text.size()));
}

HFONT CreateSkinFont(int pixelHeight) noexcept {
    return CreateFontW(-ScaledLength(pixelHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Arial");
}

void PrepareGraphics(Gdiplus::Graphics& graphics) noexcept {
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
}

void DrawSkinImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int width,
                   int height) noexcept {
    if (image == nullptr || width <= 0 || height <= 0) {
        return;
    }
    int w = static_cast<int>(image->GetWidth());
    int h = static_cast<int>(image->GetHeight());
    Gdiplus::Rect target(x, y, width, height);
    if (w == width && h == height) {
        // Same size: copy pixel for pixel, so what is shown is exactly the sheet.
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        graphics.DrawImage(image, target, 0, 0, w, h, Gdiplus::UnitPixel);
        return;
    }
    // Scaled: mirror the edges so the border pixels do not fade into transparency.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(image, target, 0, 0, w, h, Gdiplus::UnitPixel, &attributes);
}
