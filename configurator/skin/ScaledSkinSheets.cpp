#include "skin/ScaledSkinSheets.h"

#include "skin/SkinImages.h"

CScaledSkinSheets::CScaledSkinSheets(uint32_t dpi, const std::filesystem::path& skins)
    : scale_(dpi), folder_(skins) {
    if (scale_.ArtPercent() != 100)
        folder_ /= std::to_wstring(scale_.ArtPercent());
}

std::filesystem::path CScaledSkinSheets::File(int index) const {
    std::filesystem::path file = folder_ / kSkinSheets[static_cast<size_t>(index)].name;
    // The larger scales are PNG files of the same stem.
    if (scale_.ArtPercent() != 100)
        file.replace_extension(L".png");
    return file;
}

Gdiplus::Bitmap* CScaledSkinSheets::Sheet(int index) noexcept {
    if (index < 0 || index >= kSkinSheetCount)
        return nullptr;
    const size_t i = static_cast<size_t>(index);
    if (!tried_[i]) {
        // Tried once: a sheet that cannot be read is not read again at every paint.
        tried_[i] = true;
        sheets_[i] = LoadSkinImage(File(index));
    }
    return sheets_[i].get();
}

bool CScaledSkinSheets::IsDecoded(int index) const noexcept {
    return index >= 0 && index < kSkinSheetCount && sheets_[static_cast<size_t>(index)] != nullptr;
}

bool CScaledSkinSheets::HasFile(int index) noexcept {
    if (index < 0 || index >= kSkinSheetCount)
        return false;
    signed char& present = present_[static_cast<size_t>(index)];
    if (present == 0) {
        std::error_code error;
        present = std::filesystem::is_regular_file(File(index), error) ? 1 : -1;
    }
    return present > 0;
}

std::vector<std::wstring> CScaledSkinSheets::MissingSheets() const {
    std::vector<std::wstring> missing;
    for (int i = 0; i < kSkinSheetCount; ++i) {
        std::error_code error;
        const std::filesystem::path file = File(i);
        if (!std::filesystem::is_regular_file(file, error))
            missing.push_back(file.filename().wstring());
    }
    return missing;
}
