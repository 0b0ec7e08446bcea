#include "Layouts.h"

#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <span>
#include <string_view>

#include "app/logic/MainWindowLayout.h"
#include "pages/logic/ColourPageLayout.h"
#include "pages/logic/MacroPageLayout.h"
#include "pages/logic/MousePageLayout.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/PopDlgLayout.h"
#include "pages/logic/RenameDlgLayout.h"
#include "pages/logic/SensorPageLayout.h"
#include "pages/logic/SupportPageLayout.h"
#include "skin/logic/SkinSheets.h"

namespace {

void PrintRect(int id, const PixelRect& rect) {
    std::printf("%d %d %d %d %d\n", id, static_cast<int>(rect.left), static_cast<int>(rect.top),
                static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
}

void PrintPlaces(std::span<const ControlPlace> places) {
    for (const ControlPlace& place : places)
        PrintRect(place.id, place.rect);
}

int PrintPage(int width, int height, std::span<const ControlPlace> places) {
    std::printf("size %d %d\n", width, height);
    PrintPlaces(places);
    return 0;
}

int PrintMain() {
    std::printf("size %d %d\n", kMainWidth, kMainHeight);
    PrintPlaces(kPageButtonPlaces);
    PrintPlaces(kProfileButtonPlaces);
    PrintPlaces(kProfileMenuPlaces);
    for (const ControlPlace& place : {kResetPlace, kOkPlace, kApplyPlace, kCancelPlace,
                                      kMinimisePlace, kClosePlace, kVersionPlace})
        PrintRect(place.id, place.rect);
    for (int page : {IDD_MOUSE_PAGE, IDD_SENSOR_PAGE, IDD_COLOUR_PAGE, IDD_MACRO_PAGE})
        PrintRect(page, kPageRect);
    PrintRect(IDD_SUPPORT_PAGE, kSupportPageRect);
    return 0;
}

int PrintPopup(int mode) {
    const PopupLayout* layout = FindPopupLayout(mode);
    if (layout == nullptr)
        return 2;
    std::printf("size %d %d\n", kPopupWidth, kPopupHeight);
    // A place without a piece is a control the mode does not show.
    for (const ControlPlace& place :
         {layout->ok, layout->cancel, layout->close, layout->time, layout->image}) {
        if (place.piece >= 0)
            PrintRect(place.id, place.rect);
    }
    return 0;
}

}  // namespace

int PrintLayout(const wchar_t* name, const wchar_t* mode) {
    const std::wstring_view which = name;
    if (which == L"main")
        return PrintMain();
    if (which == L"rename")
        return PrintPage(kRenameWidth, kRenameHeight, kRenameLayout);
    if (which == L"popup")
        return mode != nullptr ? PrintPopup(static_cast<int>(std::wcstol(mode, nullptr, 0))) : 2;
    switch (std::wcstol(name, nullptr, 0)) {
        case IDD_MOUSE_PAGE:
            return PrintPage(kPageWidth, kPageHeight, kMousePageLayout);
        case IDD_SENSOR_PAGE:
            return PrintPage(kPageWidth, kPageHeight, kSensorPageLayout);
        case IDD_COLOUR_PAGE:
            return PrintPage(kPageWidth, kPageHeight, kColourPageLayout);
        case IDD_MACRO_PAGE:
            return PrintPage(kPageWidth, kPageHeight, kMacroPageLayout);
        case IDD_SUPPORT_PAGE:
            return PrintPage(kSupportWidth, kSupportHeight, kSupportPageLayout);
        default:
            return 2;
    }
}
