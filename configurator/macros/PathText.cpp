#include "macros/PathText.h"

#include "base/TextConvert.h"

namespace fs = std::filesystem;

#ifdef _WIN32

// Wide paths are UTF-16 already; going through units keeps even unpaired surrogates intact.
fs::path PathFromText(const std::u16string& text) {
    return fs::path(std::wstring(text.begin(), text.end()));
}

std::u16string TextFromPath(const fs::path& path) {
    const std::wstring& native = path.native();
    return std::u16string(native.begin(), native.end());
}

#else

fs::path PathFromText(const std::u16string& text) {
    return fs::path(Utf16ToUtf8(text));
}

std::u16string TextFromPath(const fs::path& path) {
    return Utf8ToUtf16(path.native());
}

#endif
