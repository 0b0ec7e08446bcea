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

CZelButton& CGalleryWindow::AddButton(const std::string& name, int id, RECT rect, int piece,
                                      const std::wstring& caption) {
    auto control = std::make_unique<CZelButton>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"BUTTON",
                          .style = WS_VISIBLE,
                          .rect = ChildRect(rect),
                          .id = id});
    control->SetImages(Piece(piece, 0, rect), Piece(piece, 1, rect), Piece(piece, 2, rect),
                       Piece(piece, 3, rect));
    control->SetCaption(caption);
    CZelButton& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelCheckBox& CGalleryWindow::AddCheckBox(const std::string& name, int id, RECT rect, int piece) {
    auto control = std::make_unique<CZelCheckBox>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"BUTTON",
                          .style = WS_VISIBLE,
                          .rect = ChildRect(rect),
                          .id = id});
    control->SetImages(Piece(piece, 0, rect), Piece(piece, 1, rect), Piece(piece, 2, rect),
                       Piece(piece, 3, rect));
    CZelCheckBox& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelComboButton& CGalleryWindow::AddCombo(const std::string& name, int id, RECT rect, int piece) {
    auto control = std::make_unique<CZelComboButton>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"BUTTON",
                          .style = WS_VISIBLE,
                          .rect = ChildRect(rect),
                          .id = id});
    control->SetImages(Piece(piece, 0, rect), Piece(piece, 1, rect), Piece(piece, 2, rect));
    CZelComboButton& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelStatic& CGalleryWindow::AddStatic(const std::string& name, int id, RECT rect) {
    auto control = std::make_unique<CZelStatic>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"STATIC",
                          .style = WS_VISIBLE,
                          .rect = ChildRect(rect),
                          .id = id});
    CZelStatic& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelEdit& CGalleryWindow::AddEdit(const std::string& name, int id, RECT rect) {
    auto control = std::make_unique<CZelEdit>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"EDIT",
                          .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                          .rect = ChildRect(rect),
                          .id = id});
    CZelEdit& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelSliderCtrl& CGalleryWindow::AddSlider(const std::string& name, int id, RECT rect,
                                          int trackPiece) {
    auto control = std::make_unique<CZelSliderCtrl>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"STATIC",
                          .style = WS_VISIBLE | SS_NOTIFY,
                          .rect = ChildRect(rect),
                          .id = id});
    control->SetImages(Piece(trackPiece, 0, rect), GetSkinPiece(111, 0, 0, 0, 0, 0),
                       GetSkinPiece(111, 0, 0, 0, 0, 0), GetSkinPiece(112, 0, 0, 0, 0, 0));
    CZelSliderCtrl& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelProgressCtrl& CGalleryWindow::AddProgress(const std::string& name, int id, RECT rect,
                                              int piece) {
    auto control = std::make_unique<CZelProgressCtrl>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"STATIC",
                          .style = WS_VISIBLE,
                          .rect = ChildRect(rect),
                          .id = id});
    control->SetImages(Piece(piece, 0, rect), Piece(piece, 2, rect));
    CZelProgressCtrl& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
}

CZelListBox& CGalleryWindow::AddListBox(const std::string& name, int id, RECT rect, RECT pageRect) {
    auto control = std::make_unique<CZelListBox>();
    control->CreateChild({.parent = Hwnd(),
                          .systemClass = L"STATIC",
                          .style = WS_VISIBLE | SS_NOTIFY,
                          .rect = ChildRect(rect),
                          .id = id});
    control->SetBackground(Piece(98, 0, pageRect));
    control->SetUpScrollBar();
    CZelListBox& ref = *control;
    controls_.push_back(std::move(control));
    List(name, rect);
    return ref;
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
