#include "skin/ZelListBox.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"

namespace {

// The scroll bar: a static (gray frame type until it is attached, then owner drawn) that
// notifies, at the right edge of the list, as wide as its track image.
constexpr DWORD kScrollBarStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_GRAYFRAME;
constexpr int kFallbackScrollBarWidth = 23;
// Its skin pieces: the track whole, the others cut from their sheets at these rectangles.
constexpr int kTrackPiece = 113;
constexpr int kFirstArrowPiece = 114;
constexpr int kSecondArrowPiece = 115;
constexpr int kThumbPiece = 116;
constexpr RECT kThumbCut{0, 41, 23, 97};
constexpr RECT kFirstArrowCut{0, 0, 23, 16};
constexpr RECT kSecondArrowCut{0, 206, 23, 222};

SkinImage CutPiece(int piece, int state, const RECT& cut) {
    return GetSkinPiece(piece, state, cut.left, cut.top, cut.right, cut.bottom);
}

std::u16string ToUtf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

// The rows are kept in 96-DPI pixels; on the window they stand at the skin scale.
RECT ToRect(const PixelRect& rect) {
    return ScaledRect(rect);
}

}  // namespace

DWORD CZelListBox::WantedStyle(DWORD style) const noexcept {
    return CZelOwnerDrawnStatic::WantedStyle(style | WS_CLIPCHILDREN);
}

void CZelListBox::OnAttached() noexcept {
    SyncClientSize();
}

void CZelListBox::SyncClientSize() noexcept {
    const RECT client = ClientRect();
    rows_.SetClientSize(SkinScale().Unscale(client.right), SkinScale().Unscale(client.bottom));
}

void CZelListBox::SetBackground(SkinImage image) noexcept {
    background_ = std::move(image);
    Redraw();
}

void CZelListBox::SetUpScrollBar() noexcept {
    SyncClientSize();
    const RECT client = ClientRect();
    if (scrollBar_.Hwnd() == nullptr) {
        const RECT initial{0, 0, kFallbackScrollBarWidth, client.bottom};
        if (!scrollBar_.CreateChild({.parent = Hwnd(),
                                     .systemClass = L"STATIC",
                                     .style = kScrollBarStyle,
                                     .rect = initial,
                                     .id = kScrollBarId})) {
            return;
        }
        scrollBar_.Show(false);
    }
    SkinImage track = GetSkinPiece(kTrackPiece, kSkinNormal, 0, 0, 0, 0);
    const int width = track ? track.Width() : kFallbackScrollBarWidth;
    scrollBar_.Move(client.right - width, 0, width, client.bottom);
    ScrollImages images;
    images.background = std::move(track);
    images.thumb = CutPiece(kThumbPiece, kSkinNormal, kThumbCut);
    images.pressedThumb = CutPiece(kThumbPiece, kSkinOver, kThumbCut);
    images.firstArrow = CutPiece(kFirstArrowPiece, kSkinNormal, kFirstArrowCut);
    images.pressedFirstArrow = CutPiece(kFirstArrowPiece, kSkinOver, kFirstArrowCut);
    images.secondArrow = CutPiece(kSecondArrowPiece, kSkinNormal, kSecondArrowCut);
    images.pressedSecondArrow = CutPiece(kSecondArrowPiece, kSkinOver, kSecondArrowCut);
    scrollBar_.SetImages(std::move(images));
    const int32_t visible = rows_.VisibleRows();
    scrollBar_.model.minimum = visible;
    scrollBar_.model.maximum = visible + 1;
    scrollBar_.SetPos(visible);
}

void CZelListBox::SetNameEdit(std::unique_ptr<CZelWnd> edit) noexcept {
    nameEdit_ = std::move(edit);
}

void CZelListBox::LayOutRows() noexcept {
    if (rows_.LayOut()) {
        const int32_t count = static_cast<int32_t>(rows_.Entries().size());
        scrollBar_.Show(true);
        scrollBar_.model.maximum = count;
        // Comes back as a notification that moves the rows.
        scrollBar_.SetPos(count - 1);
    } else if (scrollBar_.IsVisible()) {
        scrollBar_.Show(false);
    }
}

void CZelListBox::AddNamedItem(const std::wstring& name) noexcept {
    SyncClientSize();
    const int32_t id = rows_.AddNamed(ToUtf16(name), *naming_);
    LayOutRows();
    Redraw();
    NotifyParent(NOTIFY_MACRO_SELECTED, id);
}

void CZelListBox::AddItemWithId(const std::wstring& name, int32_t id) noexcept {
    SyncClientSize();
    rows_.AddWithId(ToUtf16(name), id);
    LayOutRows();
    Redraw();
    NotifyParent(NOTIFY_MACRO_SELECTED, id);
}

void CZelListBox::DeleteSelectedItem() noexcept {
    const int32_t index = rows_.SelectedIndex();
    if (index < 0) {
        return;
    }
    const int32_t id = rows_.Entries()[static_cast<size_t>(index)].id;
    NotifyParent(NOTIFY_MACRO_DELETED, id);
    const int32_t selected = rows_.RemoveAt(index);
    NotifyParent(NOTIFY_MACRO_SELECTED, selected);
    LayOutRows();
    Redraw();
}

RECT CZelListBox::NewRowRectangle() noexcept {
    SyncClientSize();
    const RECT rect = ToRect(rows_.NewRowRectangle());
    Redraw();
    return rect;
}

bool CZelListBox::CommitNameEdit() noexcept {
    if (!nameEdit_ || !nameEdit_->IsVisible()) {
        return false;
    }
    const std::wstring text = nameEdit_->Text();
    if (!text.empty()) {
        AddNamedItem(text);
        nameEdit_->SetText(L"");
    }
    nameEdit_->Show(false);
    Redraw();
    return true;
}

LRESULT CZelListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_SIZE:
            SyncClientSize();
            return CZelOwnerDrawnStatic::HandleMessage(msg, wParam, lParam);
        case LB_GETCOUNT:
            return static_cast<LRESULT>(rows_.Entries().size());
        case LB_GETCURSEL:
            return rows_.SelectedIndex() >= 0 ? rows_.SelectedIndex() : LB_ERR;
        case LB_GETTEXT:
            return OnGetText(wParam, reinterpret_cast<wchar_t*>(lParam));
        case LB_GETTEXTLEN:
            return OnGetTextLength(wParam);
        default:
            return CZelOwnerDrawnStatic::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT CZelListBox::OnGetTextLength(WPARAM index) const noexcept {
    if (index >= rows_.Entries().size()) {
        return LB_ERR;
    }
    return static_cast<LRESULT>(rows_.Entries()[index].name.size());
}

LRESULT CZelListBox::OnGetText(WPARAM index, wchar_t* buffer) const noexcept {
    // As with a system list box, the buffer must hold LB_GETTEXTLEN characters and the end.
    if (index >= rows_.Entries().size() || buffer == nullptr) {
        return LB_ERR;
    }
    const std::u16string& name = rows_.Entries()[index].name;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = L'\0';
    return static_cast<LRESULT>(name.size());
}

bool CZelListBox::OnControlNotification(int code, LPARAM value) noexcept {
    if (code != kScrollBarId) {
        return false;
    }
    rows_.ApplyScroll(static_cast<int32_t>(value));
    Redraw();
    return true;
}

bool CZelListBox::OnPress(int x, int y) noexcept {
    if (CommitNameEdit()) {
        return true;
    }
    const int32_t index = EntryAtPointer(x, y);
    if (index >= 0) {
        rows_.SelectOnly(index);
        Redraw();
    }
    return true;
}

void CZelListBox::SelectEntry(int32_t index) noexcept {
    const int32_t count = static_cast<int32_t>(rows_.Entries().size());
    if (index < 0 || index >= count) {
        return;
    }
    rows_.SelectOnly(index);
    // Out of view: the scroll bar brings the row to the bottom edge, or as far as it can.
    const PixelRect& row = rows_.Entries()[static_cast<size_t>(index)].rect;
    if (scrollBar_.IsVisible() && (row.top < 0 || row.bottom > rows_.ClientBottom())) {
        const int32_t visible = rows_.VisibleRows();
        scrollBar_.SetPos(index >= visible ? index : visible);
    }
    NotifyParent(NOTIFY_MACRO_SELECTED, rows_.Entries()[static_cast<size_t>(index)].id);
    Redraw();
}

int32_t CZelListBox::EntryAtPointer(int x, int y) const noexcept {
    // A pixel lies in a row's scaled rectangle exactly when its 96-DPI point lies in the row.
    return rows_.EntryAt(SkinScale().Unscale(x), SkinScale().Unscale(y));
}

bool CZelListBox::OnRelease(int x, int y) noexcept {
    const int32_t index = EntryAtPointer(x, y);
    if (index < 0) {
        return true;
    }
    rows_.SelectOnly(index);
    NotifyParent(NOTIFY_MACRO_SELECTED, rows_.Entries()[static_cast<size_t>(index)].id);
    Redraw();
    return true;
}

void CZelListBox::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    BufferedPaint paint(item);
    if (!paint.IsValid()) {
        return;
    }
    Gdiplus::Graphics& graphics = paint.Graphics();
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    DrawSkinImage(graphics, background_.Get(), 0, 0, paint.Width(), paint.Height());
    HDC dc = paint.Dc();
    SetBkMode(dc, TRANSPARENT);
    const ScopedSelect font(dc, RowFont());
    for (const CBoxItem& entry : rows_.Entries()) {
        RECT row = ToRect(entry.rect);
        const std::wstring name = ToWide(entry.name);
        SetTextColor(dc, entry.selected != 0 ? entry.selectedColour : entry.colour);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &row,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

HFONT CZelListBox::RowFont() const noexcept {
    // The rows are written in the device context's own font; at another scale, in that font
    // at the scale, so the text fills its taller rows. The system may have sized its font for
    // the screen's DPI already: it is taken from that DPI to the skin's.
    if (SkinScale().IsBase()) {
        return nullptr;
    }
    if (!rowFont_ || rowFontDpi_ != SkinScale().Dpi()) {
        LOGFONTW base{};
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(base), &base);
        const ScopedWindowDC screen(nullptr);
        const int screenDpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        base.lfHeight = MulDiv(base.lfHeight, static_cast<int>(SkinScale().Dpi()),
                               screenDpi > 0 ? screenDpi : DisplayScale::kBaseDpi);
        base.lfWidth = 0;
        rowFont_.Reset(CreateFontIndirectW(&base));
        rowFontDpi_ = SkinScale().Dpi();
    }
    return rowFont_.Get();
}

// ---- screen readers and the keyboard --------------------------------------------------------

bool CZelListBox::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_LIST;
    info.name = AccessName();
    return true;
}

int CZelListBox::AccessItemCount() const noexcept {
    return static_cast<int>(rows_.Entries().size());
}

bool CZelListBox::DescribeItem(int index, AccessInfo& info, RECT& where) const noexcept {
    if (index < 0 || index >= AccessItemCount()) {
        return false;
    }
    const CBoxItem& entry = rows_.Entries()[static_cast<size_t>(index)];
    info.role = ROLE_SYSTEM_LISTITEM;
    info.name = ToWide(entry.name);
    info.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (entry.selected != 0) {
        info.state |= STATE_SYSTEM_SELECTED | (GetFocus() == Hwnd() ? STATE_SYSTEM_FOCUSED : 0);
    }
    if (entry.rect.bottom <= 0 || entry.rect.top >= rows_.ClientBottom()) {
        info.state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    }
    info.defaultAction = L"Select";
    where = ToRect(entry.rect);
    return true;
}

bool CZelListBox::DoAccessAction(int index) noexcept {
    if (index < 0 || index >= AccessItemCount()) {
        return false;
    }
    SelectEntry(index);
    return true;
}

bool CZelListBox::OnKey(UINT key, bool alt, bool) noexcept {
    const int32_t count = static_cast<int32_t>(rows_.Entries().size());
    if (alt || count == 0) {
        return false;
    }
    const int32_t selected = rows_.SelectedIndex();
    switch (key) {
        case VK_UP:
            SelectEntry(selected > 0 ? selected - 1 : 0);
            return true;
        case VK_DOWN:
            SelectEntry(selected < count - 1 ? selected + 1 : count - 1);
            return true;
        case VK_HOME:
            SelectEntry(0);
            return true;
        case VK_END:
            SelectEntry(count - 1);
            return true;
        default:
            return false;
    }
}
