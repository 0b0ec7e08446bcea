#include "app/ProfileMenuCommands.h"

#include <filesystem>
#include <optional>
#include <string>

#include "app/ProfileFileDialogs.h"
#include "app/logic/AppTexts.h"
#include "app/logic/ProfileTransfer.h"
#include "profiles/ProfileFile.h"
#include "profiles/Storage.h"

namespace {

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string Utf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace

bool ProfileMenuCommands::Run(int slot, int item, int current, HWND owner) noexcept {
    if (slot < 0 || slot >= static_cast<int>(profiles_.size())) {
        return false;
    }
    switch (item) {
        case kMenuRename:
            CRenameDlg(slot + 1, &namer_, owner).Run();
            return false;
        case kMenuSave:
            SaveInPlace(slot, current);
            return false;
        case kMenuExport:
            Export(slot, current, owner);
            return false;
        case kMenuImport:
            return Import(slot, owner);
        default:
            return false;
    }
}

void ProfileMenuCommands::SaveInPlace(int slot, int current) noexcept {
    if (slot == current) {
        host_.CollectPages();
    }
    const Profile& profile = profiles_[static_cast<size_t>(slot)];
    if (!SaveProfileFile(profile, profile.filePath)) {
        host_.ShowMessage(SaveFailedText(profile.filePath.u16string()));
    }
}

void ProfileMenuCommands::Export(int slot, int current, HWND owner) noexcept {
    if (slot == current) {
        host_.CollectPages();
    }
    const Profile& profile = profiles_[static_cast<size_t>(slot)];
    const std::u16string proposal =
        ExportFileProposal(ApplicationFolder().u16string(), profile.name);
    const std::optional<std::wstring> path = AskExportPath(owner, Wide(proposal));
    if (!path) {
        return;
    }
    if (!SaveProfileFile(profile, std::filesystem::path(*path))) {
        host_.ShowMessage(ExportFailedText(Utf16(*path)));
    }
}

bool ProfileMenuCommands::Import(int slot, HWND owner) noexcept {
    const std::u16string proposal = ImportFileProposal(ApplicationFolder().u16string());
    const std::optional<std::wstring> path = AskImportPath(owner, Wide(proposal));
    if (!path) {
        return false;
    }
    Profile& profile = profiles_[static_cast<size_t>(slot)];
    const ImportResult result = ImportProfileFrom(std::filesystem::path(*path), profile);
    if (result != ImportResult::kImported) {
        host_.ShowMessage(ImportFailedText(result, Utf16(*path)));
        return false;
    }
    return true;
}
