#include "app/PageSet.h"

#include "pages/ColorSettingsDlg.h"
#include "pages/MacroSettingsDlg.h"
#include "pages/MouseSettingsDlg.h"
#include "pages/SensorDlg.h"
#include "pages/SupportDlg.h"
#include "skin/SkinImages.h"

PageSet::PageSet(PageHost& host) : host_(host) {}

PageSet::~PageSet() = default;

void PageSet::Create(HWND parent, HWND tabAfter) noexcept {
    parent_ = parent;
    tabAfter_ = tabAfter;
    sensor_ = std::make_unique<CSensorDlg>(host_);
    colour_ = std::make_unique<CColorSettingsDlg>(host_);
    macro_ = std::make_unique<CMacroSettingsDlg>(host_);
    support_ = std::make_unique<CSupportDlg>(host_);
    mouse_ = std::make_unique<CMouseSettingsDlg>(host_);
    entries_ = {{{mouse_.get(), mouse_.get()},
                 {sensor_.get(), sensor_.get()},
                 {colour_.get(), colour_.get()},
                 {macro_.get(), nullptr},
                 {support_.get(), nullptr}}};
    // The mouse page shows the macros in its menus and bindings: they are read first. A mouse
    // page that cannot be made is tried again when its page button is pressed.
    macro_->LoadMacros();
    if (Make(kMousePage, host_.CurrentProfile())) {
        mouse_->Show(true);
    }
}

void PageSet::Destroy() noexcept {
    for (Entry& entry : entries_) {
        if (entry.window != nullptr) {
            entry.window->DestroyWindow();
        }
        entry = Entry{};
    }
    mouse_.reset();
    sensor_.reset();
    colour_.reset();
    macro_.reset();
    support_.reset();
    idleTried_ = 0;
}

bool PageSet::Make(Page page, Profile& current) noexcept {
    if (page < 0 || page >= kPageCount) {
        return false;
    }
    const Entry& entry = entries_[static_cast<size_t>(page)];
    if (entry.window == nullptr) {
        return false;
    }
    if (entry.window->Hwnd() != nullptr) {
        return true;
    }
    if (!entry.window->Create(parent_)) {
        return false;
    }
    // The page answers to its template id, so that tools can tell its controls apart from
    // the main window's (the ids overlap).
    SetWindowLongPtrW(entry.window->Hwnd(), GWLP_ID, entry.window->TemplateId());
    const RECT r = ScaledRect(page == kSupportPage ? kSupportPageRect : kPageRect);
    entry.window->Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
    SetWindowPos(entry.window->Hwnd(), tabAfter_, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    entry.window->Show(false);
    // A page made late shows the profile as it is now.
    if (entry.profilePage != nullptr) {
        entry.profilePage->LoadProfile(current);
    }
    return true;
}

bool PageSet::MakeNextWhenIdle(Profile& current) noexcept {
    // One page each time, so that input and painting come in between. A page that cannot be
    // made is not tried again here; showing it tries again.
    constexpr Page kLater[] = {kSensorPage, kColourPage, kMacroPage, kSupportPage};
    constexpr size_t kCount = sizeof(kLater) / sizeof(kLater[0]);
    if (idleTried_ < kCount) {
        Make(kLater[idleTried_++], current);
    }
    return idleTried_ < kCount;
}

bool PageSet::HasWindow(Page page) const noexcept {
    return page >= 0 && page < kPageCount &&
           entries_[static_cast<size_t>(page)].window != nullptr &&
           entries_[static_cast<size_t>(page)].window->Hwnd() != nullptr;
}

bool PageSet::IsShown(Page page) const noexcept {
    return HasWindow(page) && entries_[static_cast<size_t>(page)].window->IsVisible();
}

PageSet::Page PageSet::Shown() const noexcept {
    for (int i = 0; i < kPageCount; ++i) {
        if (IsShown(static_cast<Page>(i))) {
            return static_cast<Page>(i);
        }
    }
    return kMousePage;
}

void PageSet::ShowOnly(Page page) noexcept {
    for (const Entry& entry : entries_) {
        if (entry.window != nullptr) {
            entry.window->Show(false);
        }
    }
    if (!HasWindow(page)) {
        return;
    }
    entries_[static_cast<size_t>(page)].window->Show(true);
    if (page == kMousePage) {
        mouse_->RefreshMacroSubMenus();
    }
}

void PageSet::Collect(Profile& profile) noexcept {
    for (const Entry& entry : entries_) {
        if (entry.profilePage != nullptr && entry.window->Hwnd() != nullptr) {
            entry.profilePage->SaveProfile(profile);
        }
    }
}

void PageSet::Load(Profile& profile) noexcept {
    for (const Entry& entry : entries_) {
        if (entry.profilePage != nullptr && entry.window->Hwnd() != nullptr) {
            entry.profilePage->LoadProfile(profile);
        }
    }
}
