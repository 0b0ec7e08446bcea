#pragma once
// The skin sheets drawn for one display scale, for windows laid out at a DPI other than 96.
// The 100 % sheets (BMP) lie in the skin folder itself, the others (PNG of the same stem) in
// its subfolders 125, 150 and 200. A window at a DPI without sheets of its own takes the
// nearest larger set and draws it shrunk. Each sheet is decoded on its first use. GetSkinPiece
// cuts from the set of the skin scale; the 100 % sheets stay in the program's own cache
// (SkinSheet()).

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "skin/logic/DisplayScale.h"
#include "skin/logic/SkinSheets.h"

class CScaledSkinSheets {
  public:
    // The set for a window at `dpi`, from the skin folder `skins` (the 100 % folder).
    CScaledSkinSheets(uint32_t dpi, const std::filesystem::path& skins);

    const DisplayScale& Scale() const { return scale_; }
    // The scale the sheets are drawn at, and the folder they come from.
    int ArtPercent() const { return scale_.ArtPercent(); }
    const std::filesystem::path& Folder() const { return folder_; }

    // The sheet by its index in kSkinSheets, decoded now if it was not yet; null when it is
    // missing or cannot be read.
    Gdiplus::Bitmap* Sheet(int index) noexcept;
    // Whether the sheet has been decoded (for checking that nothing is decoded early).
    bool IsDecoded(int index) const noexcept;
    // Whether the sheet's file is in the folder, without decoding it (looked up once).
    bool HasFile(int index) noexcept;
    // The names of the sheets that are not in the folder, without decoding any.
    std::vector<std::wstring> MissingSheets() const;
    // The file of a sheet at this set's scale.
    std::filesystem::path File(int index) const;

  private:
    DisplayScale scale_;
    std::filesystem::path folder_;
    std::array<std::unique_ptr<Gdiplus::Bitmap>, kSkinSheetCount> sheets_;
    std::array<bool, kSkinSheetCount> tried_{};
    std::array<signed char, kSkinSheetCount> present_{};  // 0 not looked, 1 there, -1 missing
};
