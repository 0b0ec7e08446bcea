#include "pages/logic/ButtonCatalogue.h"

#include <array>

#include "profiles/Profile.h"

namespace {

constexpr std::array<ButtonMenuEntry, 15> kEntries = {{
    {kDefaultCommandsItem, kTopLevel, L"Default Commands"},
    {kFunctionProfileUp, kTopLevel, L"Profile switch up"},
    {kFunctionProfileDown, kTopLevel, L"Profile switch down"},
    {kFunctionScrollUp, kTopLevel, L"Scroll up"},
    {kFunctionScrollDown, kTopLevel, L"Scroll down"},
    {kFunctionSingleKey, kTopLevel, L"Single key assign..."},
    {kFunctionMacro, kTopLevel, L"Assign record macro"},
    {kFunctionDisabled, kTopLevel, L"Disable Button"},
    {kFunctionLeftClick, kDefaultCommandsItem, L"Left Click"},
    {kFunctionRightClick, kDefaultCommandsItem, L"Right Click"},
    {kFunctionScrollClick, kDefaultCommandsItem, L"Scroll Click"},
    {kFunctionForward, kDefaultCommandsItem, L"Forward"},
    {kFunctionBack, kDefaultCommandsItem, L"Back"},
    {kFunctionDpiUp, kDefaultCommandsItem, L"Dpi up"},
    {kFunctionDpiDown, kDefaultCommandsItem, L"Dpi down"},
}};

struct NamedKey {
    uint8_t code;
    const wchar_t* name;
};

// Codes named one by one; digits, letters and function keys follow rules instead.
constexpr NamedKey kNamedKeys[] = {
    {0x01, L"Left Button"},
    {0x02, L"Right Button"},
    {0x04, L"Middle Button"},
    {0x08, L"BACK"},
    {0x09, L"TAB"},
    {0x0C, L"CLEAR"},
    {0x0D, L"ENTER"},
    {0x13, L"PAUSE"},
    {0x14, L"CAPS LOCK"},
    {0x1B, L"ESC"},
    {0x20, L"SPACE"},
    {0x21, L"PAGE UP"},
    {0x22, L"PAGE DOWN"},
    {0x23, L"END"},
    {0x24, L"HOME"},
    {0x25, L"LEFT ARROW"},
    {0x26, L"UP ARROW "},
    {0x27, L"RIGHT ARROW"},
    {0x28, L"DOWN ARROW"},
    {0x29, L"SELECT"},
    {0x2A, L"PRINT"},
    {0x2B, L"EXECUTE"},
    {0x2C, L"PRINT SCREEN"},
    {0x2D, L"INS"},
    {0x2E, L"DEL"},
    {0x2F, L"HELP"},
    {0x5B, L"Left Window"},
    {0x5C, L"Right Window"},
    {0x5D, L"Application"},
    {0x6A, L"*"},
    {0x6B, L"+"},
    {0x6D, L"-"},
    {0x6E, L"."},
    {0x6F, L"/"},
    {0x90, L"NUM LOCK"},
    {0x91, L"SCROLL LOCK"},
    {0xA0, L"Left SHIFT"},
    {0xA1, L"Right SHIFT"},
    {0xA2, L"Left CONTROL"},
    {0xA3, L"Right CONTROL"},
    {0xA4, L"Left ALT"},
    {0xA5, L"Right ALT"},
    {0xA6, L"Browser Back"},
    {0xA7, L"Browser Forward"},
    {0xA8, L"Browser Refresh"},
    {0xAE, L"Volume Down"},
    {0xAF, L"Volume Up "},
    {0xBA, L";"},
    {0xBB, L"+"},
    {0xBC, L","},
    {0xBD, L"-"},
    {0xBE, L"."},
    {0xBF, L"/"},
    {0xC0, L"`"},
    {0xDB, L"["},
    {0xDC, L"\\"},
    {0xDD, L"]"},
    {0xDE, L"'"},
    {0xFF, L"Fn"},
};

}  // namespace

std::span<const ButtonMenuEntry> ButtonMenuEntries() {
    return kEntries;
}

std::wstring KeyName(uint32_t code) {
    if (code >= 48 && code <= 57) {
        return std::wstring(1, static_cast<wchar_t>(L'0' + (code - 48)));
    }
    if (code >= 96 && code <= 105) {
        return std::wstring(1, static_cast<wchar_t>(L'0' + (code - 96)));
    }
    if (code >= 65 && code <= 90) {
        return std::wstring(1, static_cast<wchar_t>(L'A' + (code - 65)));
    }
    if (code >= 112 && code <= 135) {
        return L"F" + std::to_wstring(code - 111);
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.code == code) {
            return key.name;
        }
    }
    return {};
}

void BuildButtonMenu(SlotMenu& slot) {
    bool subMenuSized = false;
    for (const ButtonMenuEntry& entry : kEntries) {
        if (entry.parent == kTopLevel) {
            slot.AddItem(entry.id, entry.text);
            continue;
        }
        if (!subMenuSized) {
            slot.SizeSubMenu(kDefaultCommandsItem, kDefaultCommandsMenuWidth,
                             kSubMenuInitialHeight);
            subMenuSized = true;
        }
        slot.AddSubItem(entry.parent, entry.id, entry.text);
    }
}

void RefreshMacroSubMenus(std::span<SlotMenu* const> slots,
                          std::span<const MacroMenuEntry> macros) {
    for (SlotMenu* slot : slots) {
        MenuLevel* menu = slot ? slot->Menu() : nullptr;
        if (menu == nullptr) {
            continue;
        }
        if (MenuLevel* sub = menu->GetSubMenu(kFunctionMacro)) {
            sub->RemoveAllItems();
        }
    }
    for (const MacroMenuEntry& macro : macros) {
        for (SlotMenu* slot : slots) {
            if (slot != nullptr && slot->Menu() != nullptr) {
                slot->AddSubItem(kFunctionMacro, macro.id, macro.name);
            }
        }
    }
    int width = kMacroMenuMargin;
    if (!slots.empty() && slots.front() != nullptr && slots.front()->Menu() != nullptr) {
        width += slots.front()->Menu()->MaxTextWidth(kFunctionMacro);
    }
    for (SlotMenu* slot : slots) {
        if (slot != nullptr && slot->Menu() != nullptr) {
            slot->SizeSubMenu(kFunctionMacro, width, kSubMenuInitialHeight);
        }
    }
}

std::optional<std::wstring> AssignmentCaption(int function, int value,
                                              const std::wstring& storedMacroName,
                                              const MenuLevel* menu) {
    if (function == kFunctionSingleKey) {
        return KeyName(static_cast<uint32_t>(value));
    }
    if (function == kFunctionMacro) {
        return storedMacroName;
    }
    // Only the catalogue's own functions: the item 255 only holds the sub-menu, and an id of 16
    // or more in the menu is a macro, never a function stored on its own.
    if (function == kDefaultCommandsItem || function >= kFirstMacroItemId || function < 0) {
        return std::nullopt;
    }
    const MenuItem* item = menu ? menu->FindItem(function) : nullptr;
    if (item == nullptr) {
        return std::nullopt;
    }
    return item->text;
}
