#include "ZelListBox.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "OffscreenBuffer.h"
#include "SkinImages.h"

namespace {

std::u16string ToUtf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

RECT ToRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void CZelListBox::OnAttached() noexcept {
    LONG style = GetWindowLongW(Hwnd(), GWL_STYLE);
    SetWindowLongW(Hwnd(), GWL_STYLE, style | SS_OWNERDRAW | SS_NOTIFY | WS_CLIPCHILDREN);
    SyncClientSize();
}

void CZelListBox::SyncClientSize() noexcept {
    const RECT client = ClientRect();
    rows.SetClientSize(client.right, client.bottom);
}

void CZelListBox::SetBackground(SkinImage image) noexcept {
    background = std::move(image);
    Redraw();
}

void CZelListBox::SetUpScrollBar() noexcept {
    SyncClientSize();
    const RECT client = ClientRect();
    if (scrollBar.Hwnd() == nullptr) {
        const RECT initial{0, 0, 23, client.bottom};
        if (!scrollBar.CreateChild(Hwnd(), L"STATIC", L"", WS_CHILD | WS_VISIBLE | 0x108, initial,
                                   kScrollBarId)) {
            return;
        }
        scrollBar.Show(false);
    }
    SkinImage track = GetSkinPiece(113, kSkinNormal, 0, 0, 0, 0);
    const int width = track ? track.Width() : 23;
    scrollBar.Move(client.right - width, 0, width, client.bottom);
    scrollBar.SetImages(
        std::move(track), GetSkinPiece(116, kSkinNormal, 0, 41, 23, 97),
        GetSkinPiece(116, kSkinOver, 0, 41, 23, 97), GetSkinPiece(114, kSkinNormal, 0, 0, 23, 16),
        GetSkinPiece(114, kSkinOver, 0, 0, 23, 16), GetSkinPiece(115, kSkinNormal, 0, 206, 23, 222),
        GetSkinPiece(115, kSkinOver, 0, 206, 23, 222));
    const int32_t visible = rows.VisibleRows();
    scrollBar.model.minimum = visible;
    scrollBar.model.maximum = visible + 1;
    scrollBar.SetPos(visible);
}

void CZelListBox::SetNameEdit(std::unique_ptr<CZelWnd> edit) noexcept {
    nameEdit = std::move(edit);
}

void CZelListBox::LayOutRows() noexcept {
    if (rows.LayOut()) {
        const int32_t count = static_cast<int32_t>(rows.Entries().size());
        scrollBar.Show(true);
        scrollBar.model.maximum = count;
        // Comes back as a notification that moves the rows.
        scrollBar.SetPos(count - 1);
    } else if (scrollBar.IsVisible()) {
        scrollBar.Show(false);
    }
}

void CZelListBox::AddNamedItem(const std::wstring& name) noexcept {
    SyncClientSize();
    const int32_t id = rows.AddNamed(ToUtf16(name));
    LayOutRows();
    Redraw();
    NotifyParent(NOTIFY_MACRO_SELECTED, id);
}

void CZelListBox::AddItemWithId(const std::wstring& name, int32_t id) noexcept {
    SyncClientSize();
    rows.AddWithId(ToUtf16(name), id);
    LayOutRows();
    Redraw();
    NotifyParent(NOTIFY_MACRO_SELECTED, id);
}

void CZelListBox::DeleteSelectedItem() noexcept {
    const int32_t index = rows.SelectedIndex();
    if (index < 0) {
        return;
    }
    const int32_t id = rows.Entries()[static_cast<size_t>(index)].id;
    NotifyParent(NOTIFY_MACRO_DELETED, id);
    const int32_t selected = rows.RemoveEntry(id);
    NotifyParent(NOTIFY_MACRO_SELECTED, selected);
    LayOutRows();
    Redraw();
}

RECT CZelListBox::NewRowRectangle() noexcept {
    SyncClientSize();
    const RECT rect = ToRect(rows.NewRowRectangle());
    Redraw();
    return rect;
}

bool CZelListBox::CommitNameEdit() noexcept {
    if (!nameEdit || !nameEdit->IsVisible()) {
        return false;
    }
    const std::wstring text = nameEdit->Text();
    if (!text.empty()) {
        AddNamedItem(text);
        nameEdit->SetText(L"");
    }
    nameEdit->Show(false);
    Redraw();
    return true;
}

LRESULT CZelListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_SIZE:
            SyncClientSize();
            return CZelWnd::HandleMessage(msg, wParam, lParam);
        default:
            return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
}

bool CZelListBox::OnControlNotification(int code, LPARAM value) noexcept {
    if (code != kScrollBarId) {
        return false;
    }
    rows.ApplyScroll(static_cast<int32_t>(value));
    Redraw();
    return true;
}

bool CZelListBox::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) noexcept {
    switch (msg) {
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_COMMAND:
            // Clicks from SS_NOTIFY: the page hears of selections only.
            result = 0;
            return true;
        default:
            return false;
    }
}

void CZelListBox::OnLeftButtonDown(int x, int y) noexcept {
    if (CommitNameEdit()) {
        return;
    }
    const int32_t index = rows.EntryAt(x, y);
    if (index >= 0) {
        rows.SelectOnly(index);
        Redraw();
    }
}

void CZelListBox::OnLeftButtonUp(int x, int y) noexcept {
    const int32_t index = rows.EntryAt(x, y);
    if (index < 0) {
        return;
    }
    rows.SelectOnly(index);
    NotifyParent(NOTIFY_MACRO_SELECTED, rows.Entries()[static_cast<size_t>(index)].id);
    Redraw();
}

void CZelListBox::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
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
        DrawSkinImage(graphics, background.Get(), 0, 0, width, height);
    }
    HDC dc = buffer.Dc();
    SetBkMode(dc, TRANSPARENT);
    for (const CBoxItem& entry : rows.Entries()) {
        RECT row = ToRect(entry.rect);
        const std::wstring name = ToWide(entry.name);
        SetTextColor(dc, entry.selected != 0 ? entry.selectedColour : entry.colour);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &row,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    buffer.CopyTo(item.hDC, 0, 0);
}
