#pragma once
// CGalleryWindow: one window of the control gallery, a skinned page with its controls created
// as children at their real positions, each cut from the sheet of its family. Every control
// is listed (name, screen rectangle, sheet and place on the sheet) for the screenshot test.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelComboButton.h"
#include "skin/ZelEdit.h"
#include "skin/ZelImageDialog.h"
#include "skin/ZelListBox.h"
#include "skin/ZelProgressCtrl.h"
#include "skin/ZelSliderCtrl.h"
#include "skin/ZelStatic.h"

class CGalleryWindow : public CZelImageDialog {
  public:
    // `sheet`: the file name prefix of the family ("mouse_page"); `background` its piece id.
    CGalleryWindow(std::wstring title, std::string sheet, int background, POINT at);

    bool Open() noexcept;

    CZelButton& AddButton(const std::string& name, int id, RECT rect, int piece,
                          const std::wstring& caption = L"");
    CZelCheckBox& AddCheckBox(const std::string& name, int id, RECT rect, int piece);
    CZelComboButton& AddCombo(const std::string& name, int id, RECT rect, int piece);
    CZelStatic& AddStatic(const std::string& name, int id, RECT rect);
    CZelEdit& AddEdit(const std::string& name, int id, RECT rect);
    CZelSliderCtrl& AddSlider(const std::string& name, int id, RECT rect, int trackPiece);
    CZelProgressCtrl& AddProgress(const std::string& name, int id, RECT rect, int piece);
    // A macro list with its background cut from the macro page at `pageRect`.
    CZelListBox& AddListBox(const std::string& name, int id, RECT rect, RECT pageRect);
    // Cuts a piece of this window's family at a rectangle given as x, y, width, height.
    SkinImage Piece(int piece, int state, RECT rect) const noexcept;

    // Shows the images of `target`'s list one after the other.
    void Animate(CZelStatic& target, UINT period) noexcept;

    // Writes "name x y w h sheet sheetX sheetY" per control, screen coordinates.
    void WriteListing(FILE* out) const;

  protected:
    bool OnInitDialog() noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    bool OnTimer(UINT_PTR id) noexcept override;
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

  private:
    struct Entry {
        std::string name;
        RECT rect;  // x, y, width, height on the page
    };
    void List(const std::string& name, RECT rect);
    // A control of the kind given, made as a child of the gallery, kept and listed.
    template <typename Control>
    Control& Add(const std::string& name, int id, RECT rect, const wchar_t* systemClass,
                 DWORD style = WS_VISIBLE);

    std::wstring title_;
    std::string sheet_;
    int background_;
    POINT at_;
    std::vector<std::unique_ptr<CZelWnd>> controls_;
    std::vector<Entry> entries_;
    CZelStatic* animated_ = nullptr;
};
