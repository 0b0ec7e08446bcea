#include "app/logic/ProfileTransfer.h"

#include <vector>

#include "base/FileUtil.h"
#include "profiles/ProfileFile.h"

namespace {

// Profile files are a few kilobytes; anything far larger is not one.
constexpr uintmax_t kLargestProfileFile = 1024 * 1024;

bool IsFileNameCharacter(char16_t c) {
    if (c < 0x20) {
        return false;
    }
    for (char16_t bad : std::u16string_view(u"\\/:*?\"<>|")) {
        if (c == bad) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::u16string ExportFileProposal(const std::u16string& applicationFolder,
                                  const std::u16string& profileName) {
    std::u16string name = profileName;
    for (char16_t& c : name) {
        if (!IsFileNameCharacter(c)) {
            c = u'_';
        }
    }
    return applicationFolder + u"\\Profiles\\" + name + u".profile";
}

std::u16string ImportFileProposal(const std::u16string& applicationFolder) {
    return applicationFolder + u"\\Profiles\\*.profile";
}

ImportResult ImportProfileFrom(const std::filesystem::path& file, Profile& target) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(file, bytes, kLargestProfileFile)) {
        return ImportResult::kUnreadable;
    }
    Profile imported = target;
    if (!DecodeProfile(bytes, imported)) {
        return ImportResult::kNotAProfile;
    }
    imported.index = target.index;
    imported.filePath = target.filePath;
    target = std::move(imported);
    return ImportResult::kImported;
}

std::u16string ImportFailedText(ImportResult result, const std::u16string& path) {
    switch (result) {
        case ImportResult::kUnreadable:
            return u"The file " + path + u" could not be read. The profile was not changed.";
        case ImportResult::kNotAProfile:
            return u"The file " + path +
                   u" is not an ORVA 7100 profile. The profile was not changed.";
        case ImportResult::kImported:
            break;
    }
    return u"";
}

std::u16string ExportFailedText(const std::u16string& path) {
    return u"The profile could not be exported to " + path + u".";
}
