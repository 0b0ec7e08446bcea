#include "skin/ButtonAccess.h"

void DescribeButton(const ButtonFacts& facts, AccessInfo& info) noexcept {
    info.name = facts.name;
    switch (facts.hint) {
        case AccessHint::kDecoration:
            info.role = ROLE_SYSTEM_STATICTEXT;
            return;
        case AccessHint::kRadio:
            info.role = ROLE_SYSTEM_RADIOBUTTON;
            info.state |= facts.down ? STATE_SYSTEM_CHECKED : 0;
            info.defaultAction = L"Check";
            break;
        case AccessHint::kTab:
            info.role = ROLE_SYSTEM_PAGETAB;
            info.state |= STATE_SYSTEM_SELECTABLE | (facts.down ? STATE_SYSTEM_SELECTED : 0);
            info.defaultAction = L"Switch";
            break;
        case AccessHint::kNone:
            info.role = ROLE_SYSTEM_PUSHBUTTON;
            info.state |= facts.down ? STATE_SYSTEM_PRESSED : 0;
            info.defaultAction = L"Press";
            break;
    }
    info.state |= facts.state == kSkinDown ? STATE_SYSTEM_PRESSED : 0;
    info.state |= facts.state == kSkinOver ? STATE_SYSTEM_HOTTRACKED : 0;
}
