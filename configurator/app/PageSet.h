#pragma once
// PageSet: the main window's five pages in page-button order. The mouse page's window is made
// first (it needs the macros, which are read before it); the others are made one by one while
// the program is idle, or at once when shown. The pages that show a profile are loaded and
// collected alike through one table.

#include <windows.h>

#include <array>
#include <memory>

#include "app/logic/MainWindowLayout.h"
#include "pages/PageHost.h"
#include "pages/ProfilePage.h"

class CColorSettingsDlg;
class CMacroSettingsDlg;
class CMouseSettingsDlg;
class CSensorDlg;
class CSupportDlg;
class CZelImageDialog;

class PageSet {
  public:
    enum Page : int { kMousePage, kSensorPage, kColourPage, kMacroPage, kSupportPage };

    explicit PageSet(PageHost& host);
    ~PageSet();
    PageSet(const PageSet&) = delete;
    PageSet& operator=(const PageSet&) = delete;

    // The page objects, the macros read, and the mouse page made and shown in `parent`. Each
    // page window goes after `tabAfter` in the order Tab takes.
    void Create(HWND parent, HWND tabAfter) noexcept;
    // Destroys the pages, windows and objects, as before Create. What they show must have been
    // collected and the macros saved first: Create reads the macros again.
    void Destroy() noexcept;
    // Makes the page's window if it has none yet (it shows `current` then); false when it
    // cannot be made.
    bool Make(Page page, Profile& current) noexcept;
    // Makes the next hidden page not made yet; false when none is left to try.
    bool MakeNextWhenIdle(Profile& current) noexcept;
    bool HasWindow(Page page) const noexcept;
    bool IsShown(Page page) const noexcept;
    // The page that is shown, or the mouse page when none is.
    Page Shown() const noexcept;
    // Hides the others and shows this one, which must have been made.
    void ShowOnly(Page page) noexcept;

    // A page not made yet holds nothing to collect and shows the profile when it is made.
    void Collect(Profile& profile) noexcept;
    void Load(Profile& profile) noexcept;

    // Null before Create.
    CMouseSettingsDlg* MousePage() const noexcept { return mouse_.get(); }
    CMacroSettingsDlg* MacroPage() const noexcept { return macro_.get(); }
    CSupportDlg* SupportPage() const noexcept { return support_.get(); }

  private:
    struct Entry {
        CZelImageDialog* window = nullptr;
        ProfilePage* profilePage = nullptr;
    };
    PageHost& host_;
    HWND parent_ = nullptr;
    HWND tabAfter_ = nullptr;
    size_t idleTried_ = 0;  // hidden pages made (or tried) at idle so far
    std::unique_ptr<CMouseSettingsDlg> mouse_;
    std::unique_ptr<CSensorDlg> sensor_;
    std::unique_ptr<CColorSettingsDlg> colour_;
    std::unique_ptr<CMacroSettingsDlg> macro_;
    std::unique_ptr<CSupportDlg> support_;
    std::array<Entry, kPageCount> entries_{};
};
