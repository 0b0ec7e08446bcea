#include "pages/ZelMacroCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <string>

#include "pages/logic/ButtonCatalogue.h"
#include "pages/logic/MacroEventRow.h"
#include "skin/OffscreenBuffer.h"
#include "skin/SkinImages.h"

namespace {

constexpr int kFontHeight = 13;
constexpr COLORREF kRowText = RGB(190, 190, 190);
constexpr COLORREF kSelectedRowText = RGB(179, 211, 53);
constexpr Gdiplus::ARGB kMarkColour = 0xFFBEBEBE;
// The scroll bar lies over the right edge; the rows are not painted there.
constexpr int kScrollBarArea = 25;
constexpr int kMenuWidth = 170;
constexpr int kInsertMenuWidth = 120;
constexpr int kMenuHeight = 20;
// The delay box on the selected row, from its left and top.
constexpr int kDelayBoxLeft = 120;
constexpr int kDelayBoxRight = 175;
constexpr int kDelayBoxTop = 2;

// The rows are kept in 96-DPI pixels, as the macros hold them; on the window they stand at the
// skin scale, and a pointer is taken back to 96-DPI pixels to find its row.
int Unscale(int pixel) {
    return SkinScale().Unscale(pixel);
}

// Notification codes the editor takes itself; a root menu id must differ from all of them.
bool IsReservedCode(int32_t code) {
    return (code >= 0 && code <= kMenuWheelUp) || code == kEditorScrollBarId ||
           code == NOTIFY_ROWS_OVERFLOW || code == NOTIFY_EVENT_REMOVED ||
           code == NOTIFY_SCROLL_TO_ROW || code == NOTIFY_START_RECORDING ||
           code == NOTIFY_MENU_HIDING || code == CZelMacroCtrl::kDelayEditId ||
           (code >= 0xF000 && code <= 0xFFFF);
}

}  // namespace

CZelMacroCtrl::CZelMacroCtrl() noexcept : font_(kFontHeight) {}

CZelMacroCtrl::~CZelMacroCtrl() {
    Detach();
}

DWORD CZelMacroCtrl::WantedStyle(DWORD style) const noexcept {
    return CZelOwnerDrawnStatic::WantedStyle(style | WS_CLIPCHILDREN);
}

void CZelMacroCtrl::SetBackground(SkinImage image) noexcept {
    background_ = std::move(image);
    Redraw();
}

void CZelMacroCtrl::SetUpScrollBar() noexcept {
    const RECT client = ClientRect();
    if (scrollBar_.Hwnd() == nullptr) {
        const RECT initial{0, 0, ScaledLength(23), client.bottom};
        if (!scrollBar_.CreateChild({.parent = Hwnd(),
                                     .systemClass = L"STATIC",
                                     .style = WS_CHILD | WS_VISIBLE | 0x108,
                                     .rect = initial,
                                     .id = kEditorScrollBarId})) {
            return;
        }
    }
    SkinImage track = GetSkinPiece(113, kSkinNormal, 0, 0, 0, 0);
    const int width = track ? track.Width() : ScaledLength(23);
    scrollBar_.Move(client.right - width, 0, width, client.bottom);
    scrollBar_.SetImages(
        std::move(track), GetSkinPiece(116, kSkinNormal, 0, 41, 23, 97),
        GetSkinPiece(116, kSkinOver, 0, 41, 23, 97), GetSkinPiece(114, kSkinNormal, 0, 0, 23, 16),
        GetSkinPiece(114, kSkinOver, 0, 0, 23, 16), GetSkinPiece(115, kSkinNormal, 0, 206, 23, 222),
        GetSkinPiece(115, kSkinOver, 0, 206, 23, 222));
    ResetScrollRange(Unscale(client.bottom));
}

void CZelMacroCtrl::BuildContextMenu() noexcept {
    if (menu_.Hwnd() != nullptr) {
        return;
    }
    int32_t rootId = static_cast<int32_t>(GetTickCount());
    while (IsReservedCode(rootId)) {
        rootId += 0x10000;
    }
    if (!menu_.Create(L"menu", ScaledRect(PixelRect{0, 0, 50, 10}), Hwnd(), rootId)) {
        return;
    }
    SetRootMenuId(rootId);
    menu_.Move(0, 0, ScaledLength(kMenuWidth), ScaledLength(kMenuHeight), false);
    FillMacroContextMenu(menu_);
    if (CZelMenu* insert = menu_.GetSubMenu(kMenuInsertMouse)) {
        insert->SetSize(ScaledLength(kInsertMenuWidth), ScaledLength(kMenuHeight));
    }
}

void CZelMacroCtrl::ShowMacro(int32_t id, const std::wstring& name, int32_t occurrence) noexcept {
    const RECT client = ClientRect();
    SelectMacro(id, std::u16string(name.begin(), name.end()),
                MacroRect{Unscale(client.left), Unscale(client.top), Unscale(client.right),
                          Unscale(client.bottom)},
                occurrence);
    Redraw();
}

void CZelMacroCtrl::SetScrollPosition(int32_t position) {
    if (scrollBar_.Hwnd() == nullptr) {
        MacroEditorModel::SetScrollPosition(position);
        return;
    }
    // The bar reports the clamped position back (code 100), which moves the rows.
    scrollBar_.SetPos(position);
}

bool CZelMacroCtrl::CommitDelayEdit() noexcept {
    if (delayEdit_.Hwnd() == nullptr || !delayEdit_.IsVisible()) {
        return false;
    }
    const std::wstring text = delayEdit_.Text();
    if (!text.empty()) {
        SetSelectedDelay(text);
        delayEdit_.SetText(L"");
    }
    delayEdit_.Show(false);
    Redraw();
    return true;
}

void CZelMacroCtrl::OpenDelayEdit() noexcept {
    CMacro* macro = Macros().CurrentMacro();
    const CEventItem* event = macro != nullptr ? macro->SelectedEvent() : nullptr;
    if (event == nullptr) {
        return;
    }
    const MacroRect& row = event->row;
    const RECT box = ScaledRect(PixelRect{row.left + kDelayBoxLeft, row.top + kDelayBoxTop,
                                          row.left + kDelayBoxRight, row.bottom});
    if (delayEdit_.Hwnd() == nullptr) {
        if (!delayEdit_.CreateChild(
                {.parent = Hwnd(),
                 .systemClass = L"EDIT",
                 .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                 .rect = box,
                 .id = kDelayEditId})) {
            return;
        }
        delayEdit_.SetFontHeight(kFontHeight);
    }
    delayEdit_.SetText(L"");
    delayEdit_.Move(box.left, box.top, box.right - box.left, box.bottom - box.top);
    delayEdit_.Show(true);
    SetFocus(delayEdit_.Hwnd());
}

LRESULT CZelMacroCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_RBUTTONDOWN:
            OnRightButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus(reinterpret_cast<HWND>(wParam));
            return CZelOwnerDrawnStatic::HandleMessage(msg, wParam, lParam);
        default:
            return CZelOwnerDrawnStatic::HandleMessage(msg, wParam, lParam);
    }
}

bool CZelMacroCtrl::OnControlNotification(int code, LPARAM value) noexcept {
    const int32_t v = static_cast<int32_t>(value);
    if (code == kEditorScrollBarId) {
        OnScrollPosition(v);
        Redraw();
        return true;
    }
    if (code == kDelayEditId) {
        return true;  // typing in the delay box concerns nobody else
    }
    if (code == NOTIFY_MENU_HIDING) {
        return false;  // on to the page, and from there to the main window
    }
    if (code == RootMenuId() || code == kMenuLeftButton || code == kMenuRightButton ||
        code == kMenuMiddleButton || code == kMenuForwardButton || code == kMenuBackButton ||
        code == kMenuScrollWheel) {
        OnMenuCommand(code, v);
        return true;
    }
    return true;
}

void CZelMacroCtrl::OnMenuCommand(int levelCode, int itemId) noexcept {
    const MenuOutcome outcome = RunMenuCommand(levelCode, itemId);
    Redraw();
    if (outcome == MenuOutcome::kStartRecording) {
        NotifyParent(NOTIFY_START_RECORDING, 0);
    } else if (outcome == MenuOutcome::kOpenDelayEdit) {
        OpenDelayEdit();
    }
}

bool CZelMacroCtrl::OnPress(int x, int y) noexcept {
    if (CommitDelayEdit()) {
        return true;
    }
    if (CMacro* macro = Macros().CurrentMacro()) {
        macro->SelectEventAt(Unscale(x), Unscale(y));
    }
    Redraw();
    return true;
}

bool CZelMacroCtrl::OnRelease(int x, int y) noexcept {
    if (CMacro* macro = Macros().CurrentMacro()) {
        macro->SelectEventAt(Unscale(x), Unscale(y));
    }
    Redraw();
    return true;
}

void CZelMacroCtrl::OnRightButtonDown(int x, int y) noexcept {
    if (IsRecording() || menu_.Hwnd() == nullptr) {
        return;
    }
    // The editor holds the keyboard focus while its menu is open, so that the menu goes when
    // the focus does (another control, another program); an open delay box keeps it.
    HWND focus = GetFocus();
    if (focus != Hwnd() && !IsChild(Hwnd(), focus)) {
        SetFocus(Hwnd());
    }
    if (menu_.IsVisible()) {
        menu_.CloseMenu();
    }
    POINT point{x, y};
    ClientToScreen(Hwnd(), &point);
    menu_.PopupAt(point.x, point.y, CZelMenu::kTopLeft);
}

void CZelMacroCtrl::OnKillFocus(HWND next) noexcept {
    if (menu_.Hwnd() == nullptr || next == menu_.Hwnd()) {
        return;
    }
    if (menu_.IsVisible()) {
        menu_.Show(false);
        Redraw();
    }
}

void CZelMacroCtrl::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    OffscreenBuffer buffer(item.hDC, width, height);
    if (!buffer.IsValid()) {
        return;
    }
    {
        Gdiplus::Graphics graphics(buffer.Dc());
        PrepareGraphics(graphics);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        DrawSkinImage(graphics, background_.Get(), 0, 0, width, height);
    }
    DrawRows(buffer.Dc());
    const int scrollBarArea = ScaledLength(kScrollBarArea);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top,
           width > scrollBarArea ? width - scrollBarArea : 0, height, buffer.Dc(), 0, 0, SRCCOPY);
}

void CZelMacroCtrl::DrawRows(HDC dc) noexcept {
    const CMacro* macro = Macros().CurrentMacro();
    if (macro == nullptr) {
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    const ScopedSelect font(dc, font_.Get());
    const DisplayScale& scale = SkinScale();
    const Gdiplus::REAL penWidth = static_cast<Gdiplus::REAL>(scale.Scale(1));
    for (const CEventItem& event : macro->events) {
        const std::wstring keyName =
            event.code >= 0 ? KeyName(static_cast<uint32_t>(event.code)) : std::wstring();
        const EventRowDrawing row = DescribeEventRow(event, keyName);
        {
            Gdiplus::Graphics graphics(dc);
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
            Gdiplus::Pen pen{Gdiplus::Color(kMarkColour), penWidth};
            for (const RowLine& line : row.marks) {
                graphics.DrawLine(&pen, scale.Scale(line.x1), scale.Scale(line.y1),
                                  scale.Scale(line.x2), scale.Scale(line.y2));
            }
        }
        SetTextColor(dc, event.selected != 0 ? kSelectedRowText : kRowText);
        for (const RowText* text : {&row.name, &row.delay}) {
            if (text->text.empty()) {
                continue;
            }
            RECT column =
                ScaledRect(PixelRect{text->left, event.row.top, text->right, event.row.bottom});
            DrawTextW(dc, text->text.c_str(), static_cast<int>(text->text.size()), &column,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
}

bool CZelMacroCtrl::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_LIST;
    info.name = AccessNameOr(Text());
    return true;
}
