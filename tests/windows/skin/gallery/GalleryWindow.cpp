#include "GalleryWindow.h"

#include "gallery_ids.h"
#include "skin/SkinImages.h"

namespace {
RECT ChildRect(RECT r) {
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}
}  // namespace

CGalleryWindow::CGalleryWindow(std::wstring title, std::string sheet, int background, POINT at)
    : CZelImageDialog(IDD_GALLERY_WINDOW),
      title_(std::move(title)),
      sheet_(std::move(sheet)),
      background_(background),
      at_(at) {}

bool CGalleryWindow::Open() noexcept {
    if (!Create(nullptr)) {
        return false;
    }
    SetWindowPos(Hwnd(), HWND_TOP, at_.x, at_.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    SetBackground(GetSkinPiece(background_, 0, 0, 0, 0, 0));
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

bool CGalleryWindow::OnInitDialog() noexcept {
    SetText(title_);
    return true;
}

bool CGalleryWindow::OnControlNotification(int, LPARAM) noexcept {
    return true;
}

void CGalleryWindow::Animate(CZelStatic& target, UINT period) noexcept {
    animated_ = &target;
    StartTimer(1, period);
}

bool CGalleryWindow::OnTimer(UINT_PTR id) noexcept {
    if (id != 1 || animated_ == nullptr || animated_->Images().empty()) {
        return false;
    }
    int count = static_cast<int>(animated_->Images().size());
    animated_->SetCurrentImage((animated_->CurrentImage() + 1) % count);
    animated_->Redraw();
    return true;
}

SkinImage CGalleryWindow::Piece(int piece, int state, RECT r) const noexcept {
    return GetSkinPiece(piece, state, r.left, r.top, r.left + r.right, r.top + r.bottom);
}

void CGalleryWindow::List(const std::string& name, RECT rect) {
    entries_.push_back({name, rect});
}

template <typename Control>
Control& CGalleryWindow::Add(const std::string& name, int id, RECT rect, const wchar_t* systemClass,
                             DWORD style) {
    auto control = std::make_unique<Control>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = systemClass,
                          .style = style,
                          .rect = ChildRect(rect),
                          .id = id});
    Control& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelButton& CGalleryWindow::AddButton(const std::string& name, int id, RECT rect, int piece,
                                      const std::wstring& caption) {
    CZelButton& control = Add<CZelButton>(name, id, rect, L"BUTTON");
    control.SetImages(Piece(piece, 0, rect), Piece(piece, 1, rect), Piece(piece, 2, rect),
                      Piece(piece, 3, rect));
    control.SetCaption(caption);
    return control;
}

CZelCheckBox& CGalleryWindow::AddCheckBox(const std::string& name, int id, RECT rect, int piece) {
    CZelCheckBox& control = Add<CZelCheckBox>(name, id, rect, L"BUTTON");
    control.SetImages(Piece(piece, 0, rect), Piece(piece, 1, rect), Piece(piece, 2, rect),
                      Piece(piece, 3, rect));
    return control;
}

CZelComboButton& CGalleryWindow::AddCombo(const std::string& name, int id, RECT rect, int piece) {
    CZelComboButton& control = Add<CZelComboButton>(name, id, rect, L"BUTTON");
    control.SetImages(Piece(piece, 0, rect), Piece(piece, 1, rect), Piece(piece, 2, rect));
    return control;
}

CZelStatic& CGalleryWindow::AddStatic(const std::string& name, int id, RECT rect) {
    return Add<CZelStatic>(name, id, rect, L"STATIC");
}

CZelEdit& CGalleryWindow::AddEdit(const std::string& name, int id, RECT rect) {
    CZelEdit& control =
        Add<CZelEdit>(name, id, rect, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL);
    return control;
}

CZelSliderCtrl& CGalleryWindow::AddSlider(const std::string& name, int id, RECT rect,
                                          int trackPiece) {
    CZelSliderCtrl& control =
        Add<CZelSliderCtrl>(name, id, rect, L"STATIC", WS_VISIBLE | SS_NOTIFY);
    control.SetImages(Piece(trackPiece, 0, rect), GetSkinPiece(111, 0, 0, 0, 0, 0),
                      GetSkinPiece(111, 0, 0, 0, 0, 0), GetSkinPiece(112, 0, 0, 0, 0, 0));
    return control;
}

CZelProgressCtrl& CGalleryWindow::AddProgress(const std::string& name, int id, RECT rect,
                                              int piece) {
    CZelProgressCtrl& control = Add<CZelProgressCtrl>(name, id, rect, L"STATIC");
    control.SetImages(Piece(piece, 0, rect), Piece(piece, 2, rect));
    return control;
}

CZelListBox& CGalleryWindow::AddListBox(const std::string& name, int id, RECT rect, RECT pageRect) {
    CZelListBox& control = Add<CZelListBox>(name, id, rect, L"STATIC", WS_VISIBLE | SS_NOTIFY);
    control.SetBackground(Piece(98, 0, pageRect));
    control.SetUpScrollBar();
    return control;
}

void CGalleryWindow::WriteListing(FILE* out) const {
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    for (const Entry& e : entries_) {
        std::fprintf(out, "%s %ld %ld %ld %ld %s %ld %ld\n", e.name.c_str(),
                     window.left + e.rect.left, window.top + e.rect.top, e.rect.right,
                     e.rect.bottom, sheet_.c_str(), e.rect.left, e.rect.top);
    }
}
