// The control gallery: every skinned control with the real skins, in the states a person and
// the screenshot test look at. A test tool, not shipped.
//
//   orva-skin-gallery <output folder> [skins folder] [pages|windows]
//
// Writes <output folder>/gallery-controls.txt once the windows are up and ends when a file
// named "quit" appears there (or after five minutes).
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "GalleryWindow.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "skin/ZelApp.h"
#include "skin/ZelMenu.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT_PTR kQuitWatch = 7;
constexpr int kMaxRunSeconds = 300;

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) {
        MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    }
    return out;
}

void FillMousePage(CGalleryWindow& page) {
    const int slotIds[] = {1012, 1021, 1022, 1023, 1024, 1025, 1026};
    const int slotY[] = {39, 72, 104, 136, 168, 200, 232};
    const wchar_t* functions[] = {L"Left Click", L"Right Click", L"Scroll Click", L"Forward",
                                  L"Back",       L"Dpi up",      L"Dpi down"};
    for (int k = 0; k < 7; ++k) {
        CZelComboButton& slot = page.AddCombo("slot" + std::to_string(k + 1), slotIds[k],
                                              {52, slotY[k], 182, 21}, 24 + k);
        for (int f = 0; f < 7; ++f) {
            slot.AddItem(f, functions[f]);
        }
        slot.AddItem(14, L"Assign record macro");
        slot.AddSubItem(14, 16, L"Headshot");
        slot.AddSubItem(14, 17, L"Reload");
        slot.SelectItem(k);
    }
    const RECT markers[] = {{332, 58, 20, 20},  {391, 56, 20, 30},  {361, 83, 20, 20},
                            {299, 109, 20, 20}, {300, 159, 20, 20}, {369, 113, 20, 20},
                            {354, 147, 20, 20}};
    const int markerIds[] = {1032, 1033, 1013, 1034, 1037, 1035, 1036};
    for (int k = 0; k < 7; ++k) {
        CZelButton& marker =
            page.AddButton("marker" + std::to_string(k + 1), markerIds[k], markers[k], 31 + k);
        if (k == 2) {
            marker.SetLatched(true);
        }
        if (k == 4) {
            marker.Enable(false);
        }
    }
    page.AddCheckBox("rate125", 1028, {40, 300, 65, 25}, 38);
    page.AddCheckBox("rate250", 1027, {120, 300, 65, 25}, 39);
    page.AddCheckBox("rate500", 1029, {200, 300, 65, 25}, 40);
    page.AddCheckBox("rate1000", 1030, {270, 300, 75, 25}, 41).SetChecked(true);
    page.AddCheckBox("speed", 1039, {525, 148, 30, 30}, 43).SetChecked(true);
    page.AddCheckBox("page", 1038, {525, 185, 30, 30}, 44);
    page.AddCheckBox("enable", 1040, {525, 300, 30, 30}, 47).Enable(false);

    CZelSliderCtrl& doubleClick = page.AddSlider("doubleclick", 1014, {553, 62, 181, 25}, 42);
    doubleClick.model.minimum = 200;
    doubleClick.model.maximum = 1400;
    doubleClick.model.step = 200;
    doubleClick.SetValue(800, false);
    CZelSliderCtrl& scroll = page.AddSlider("scrollspeed", 1015, {563, 152, 180, 25}, 45);
    scroll.model.minimum = 1;
    scroll.model.maximum = 6;
    scroll.SetValue(3, false);
    CZelSliderCtrl& acceleration = page.AddSlider("acceleration", 1016, {590, 264, 130, 25}, 46);
    acceleration.model.minimum = 0;
    acceleration.model.maximum = 2;
    acceleration.SetValue(1, false);
    acceleration.SetDisabled(true);
    page.SetPolygonRegion({{0, 0}, {143, 0}, {143, 12}, {777, 12}, {777, 337}, {0, 337}});
}

void FillColourPage(CGalleryWindow& page) {
    page.AddButton("on", 1027, {38, 60, 180, 20}, 60).SetLatched(true);
    page.AddButton("off", 1028, {38, 82, 180, 20}, 61);
    page.AddButton("select", 1029, {38, 100, 90, 20}, 62);
    const char* zones[] = {"zonewheel", "zoneindicator", "zonebuttons", "zonelogo"};
    for (int z = 0; z < 4; ++z) {
        CZelCheckBox& box =
            page.AddCheckBox(zones[z], 1030 + z, {58, 124 + 20 * z, 130, 20}, 63 + z);
        box.SetChecked(z % 2 == 0);
        box.Enable(false);
    }
    const int px[] = {546, 568, 592, 614, 637, 661};
    const int py[] = {64, 85, 106, 127};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 6; ++c) {
            std::string name = "palette" + std::to_string(r + 1) + std::to_string(c + 1);
            page.AddButton(name, 1038 + 6 * r + c, {px[c], py[r], 22, 21}, 67 + 6 * r + c);
        }
    }
    CZelStatic& swatch = page.AddStatic("swatch", 1062, {549, 228, 77, 77});
    swatch.SetFillColour(0xFF005A00);
    CZelStatic& tip = page.AddStatic("colourtip", 1063, {652, 274, 100, 25});
    tip.SetImage(page.Piece(92, 0, {652, 274, 100, 25}));
    tip.SetText(L"0.90.0");
    page.AddButton("zone1", 1034, {245, 60, 25, 22}, 93);
    page.AddButton("zone2", 1035, {245, 83, 25, 22}, 94);
    page.AddButton("zone3", 1036, {245, 130, 25, 22}, 95);
    page.AddButton("zone4", 1037, {245, 246, 25, 22}, 96);
    page.SetPolygonRegion({{0, 0}, {143, 0}, {143, 12}, {777, 12}, {777, 337}, {0, 337}});
}

void FillSensorPage(CGalleryWindow& page) {
    CZelComboButton& step = page.AddCombo("dpistep", 1017, {175, 68, 60, 21}, 49);
    step.AddItem(1, L"1");
    step.AddItem(2, L"2");
    step.AddItem(3, L"3");
    step.SelectItem(2);
    page.AddCheckBox("separate", 1018, {40, 130, 205, 18}, 50);
    for (auto [name, id, rect, piece] : {std::tuple{"xaxis", 1022, RECT{335, 58, 410, 30}, 51},
                                         std::tuple{"yaxis", 1023, RECT{335, 104, 410, 30}, 52}}) {
        CZelSliderCtrl& axis = page.AddSlider(name, id, rect, piece);
        axis.model.minimum = 90;
        axis.model.maximum = 5400;
        axis.model.step = 90;
        axis.showValue = true;
        axis.SetValue(1800, false);
    }
    CZelSliderCtrl& speed = page.AddSlider("pointerspeed", 1024, {429, 198, 290, 20}, 53);
    speed.model.minimum = 1;
    speed.model.maximum = 10;
    speed.SetValue(6, false);
    CZelSliderCtrl& lift = page.AddSlider("liftdistance", 1025, {409, 268, 333, 20}, 54);
    lift.model.minimum = 1;
    lift.model.maximum = 32;
    lift.SetValue(12, false);
    CZelProgressCtrl& quality = page.AddProgress("quality", 1026, {62, 198, 107, 103}, 55);
    quality.maximum = 10;
    quality.position = 6;
    quality.vertical = true;
    page.AddButton("analyze", 1021, {232, 308, 115, 17}, 56);
    page.AddButton("test", 1020, {608, 308, 60, 18}, 57);
    page.AddButton("save", 1019, {680, 308, 60, 18}, 58);
    page.SetPolygonRegion({{0, 0}, {143, 0}, {143, 12}, {777, 12}, {777, 337}, {0, 337}});
}

void FillRename(CGalleryWindow& dialog) {
    dialog.AddButton("renameok", 1072, {256, 149, 56, 24}, 118);
    dialog.AddButton("renamecancel", 1073, {316, 149, 56, 24}, 119);
    dialog.AddButton("renameclose", 1074, {347, 0, 27, 21}, 120);
    CZelEdit& name = dialog.AddEdit("renamefield", 1075, {110, 62, 171, 17});
    name.SetBackground(dialog.Piece(121, 0, {110, 62, 171, 17}));
    name.SetText(L"My profile");
}

void FillSingleKey(CGalleryWindow& dialog) {
    dialog.AddButton("keyok", 1076, {257, 150, 55, 24}, 148);
    dialog.AddButton("keycancel", 1077, {317, 150, 56, 24}, 149).Enable(false);
    dialog.AddButton("keyclose", 1078, {348, 0, 27, 23}, 147);
    CZelStatic& key = dialog.AddStatic("keyname", 1079, {168, 107, 92, 23});
    key.SetImage(dialog.Piece(150, 0, {168, 107, 92, 23}));
    key.SetFontHeight(14);
    key.SetText(L"Space");
}

void FillMainWindow(CGalleryWindow& main) {
    const RECT tabs[] = {{6, 151, 181, 34},
                         {187, 151, 182, 34},
                         {369, 151, 141, 34},
                         {519, 151, 136, 34},
                         {655, 151, 136, 34}};
    for (int i = 0; i < 5; ++i) {
        CZelButton& tab = main.AddButton("tab" + std::to_string(i + 1), 1000 + i, tabs[i], 1 + i);
        tab.SetLatched(i == 0);
    }
    const RECT menus[] = {{10, 190, 21, 22},
                          {166, 190, 20, 22},
                          {319, 190, 21, 22},
                          {474, 190, 21, 22},
                          {629, 190, 22, 22}};
    const RECT profiles[] = {{31, 190, 135, 22},
                             {186, 190, 133, 22},
                             {340, 190, 134, 22},
                             {495, 190, 134, 22},
                             {651, 190, 140, 22}};
    for (int i = 0; i < 5; ++i) {
        CZelComboButton& menu =
            main.AddCombo("profilemenu" + std::to_string(i + 1), 1020 - i, menus[i], 11 + i);
        menu.SetShowCaption(false);
        menu.UseFixedWidthMenu();
        menu.AddItem(1, L"Rename");
        menu.AddItem(2, L"Save current settings");
        menu.AddItem(3, L"Export Profile");
        menu.AddItem(4, L"Import Profile");
        CZelButton& profile =
            main.AddButton("profile" + std::to_string(i + 1), 1007 + i, profiles[i], 6 + i,
                           L"Profile" + std::to_wstring(i + 1));
        profile.SetLatched(i == 0);
    }
    main.AddButton("reset", 1031, {9, 563, 115, 24}, 16);
    main.AddButton("ok", 1041, {616, 566, 55, 24}, 17);
    main.AddButton("apply", 1042, {676, 566, 55, 24}, 18);
    main.AddButton("cancel", 1044, {735, 566, 56, 24}, 19);
    main.AddButton("minimise", 1005, {746, 1, 26, 23}, 20);
    main.AddButton("close", 1006, {772, 1, 26, 23}, 21);
    CZelStatic& version = main.AddStatic("version", 1080, {280, 6, 40, 15});
    version.SetImage(main.Piece(22, 0, {280, 6, 40, 15}));
    version.SetFontHeight(14);
    version.SetText(L"1.34");
}

void FillSupportPage(CGalleryWindow& page) {
    page.AddButton("online", 1071, {135, 216, 115, 22}, 106);
    page.AddButton("updates", 1072, {507, 116, 118, 20}, 107);
    page.AddButton("firmware", 1073, {507, 281, 118, 20}, 108);
    for (auto [name, id, rect, piece, text] :
         {std::tuple{"softversion", 1081, RECT{621, 140, 36, 10}, 109, L"1.34"},
          std::tuple{"firmversion", 1082, RECT{621, 303, 36, 10}, 110, L"-.--"}}) {
        CZelStatic& label = page.AddStatic(name, id, rect);
        label.SetImage(page.Piece(piece, 0, rect));
        label.SetFontHeight(13);
        label.SetText(text);
    }
    page.SetPolygonRegion({{0, 0}, {143, 0}, {143, 12}, {779, 12}, {779, 338}, {0, 338}});
}

// A pop-up of the pieces `first` (whole) and the next ones for OK, Cancel and Close.
void FillPopup(CGalleryWindow& popup, const std::string& prefix, RECT ok, int okPiece, RECT cancel,
               int cancelPiece, int closePiece) {
    popup.AddButton(prefix + "ok", 1076, ok, okPiece);
    if (cancelPiece > 0) {
        popup.AddButton(prefix + "cancel", 1077, cancel, cancelPiece);
    }
    popup.AddButton(prefix + "close", 1078, {348, 0, 27, 23}, closePiece);
}

void FillAnalysisMove(CGalleryWindow& popup) {
    FillPopup(popup, "move", {257, 150, 55, 24}, 134, {317, 150, 56, 24}, 135, 136);
    CZelStatic& time = popup.AddStatic("movetime", 1079, {186, 139, 51, 13});
    time.SetImage(popup.Piece(137, 0, {186, 139, 51, 13}));
    time.SetText(L"7");
    CZelStatic& image = popup.AddStatic("moveimage", 1080, {2, 26, 174, 144});
    image.SetImage(popup.Piece(138, 0, {2, 26, 174, 144}));
    for (const char* frame : kAnalysisFrameFiles) {
        image.Images().push_back(SkinImage::Owned(LoadSkinImage(SkinFolder() / frame)));
    }
    image.SetCurrentImage(0);
    popup.Animate(image, 400);
}

struct WindowPlan {
    const wchar_t* title;
    const char* sheet;
    int background;
    POINT at;
    void (*fill)(CGalleryWindow&);
};

void FillPlain(CGalleryWindow& plain) {
    // A window without a skin: the plain edit box and the macro list with its scroll bar.
    SetWindowPos(plain.Hwnd(), nullptr, 0, 0, 240, 280, SWP_NOMOVE | SWP_NOZORDER);
    CZelEdit& box = plain.AddEdit("plainedit", 1, {10, 10, 150, 20});
    box.SetText(L"typed text");
    CZelListBox& list = plain.AddListBox("macrolist", 1069, {10, 45, 204, 220}, {49, 63, 204, 220});
    for (int i = 1; i <= 14; ++i) {
        list.AddNamedItem(L"Macro " + std::to_wstring(i));
    }
}

// Two scenes, each filling the screen: the pages with their controls, and the main window with
// the pop-ups.
const std::vector<WindowPlan>& Scene(const std::string& name) {
    static const std::vector<WindowPlan> pages{
        {L"ORVA Gallery", "mouse_page", 23, {0, 0}, FillMousePage},
        {L"ORVA Gallery Colour", "color_page", 59, {0, 340}, FillColourPage},
        {L"ORVA Gallery Sensor", "sensor_page", 48, {0, 682}, FillSensorPage},
        {L"ORVA Gallery Rename", "profile_rename", 117, {790, 0}, FillRename},
        {L"ORVA Gallery Key", "single_key", 146, {790, 190}, FillSingleKey},
        {L"ORVA Gallery Plain", "none", -1, {790, 380}, FillPlain},
    };
    static const std::vector<WindowPlan> windows{
        {L"ORVA Gallery", "main", 0, {0, 0}, FillMainWindow},
        {L"ORVA Gallery Support", "support_page", 105, {0, 610}, FillSupportPage},
        {L"ORVA Gallery Left Click",
         "leftclickwarn",
         122,
         {810, 0},
         [](CGalleryWindow& w) {
             FillPopup(w, "warn", {317, 150, 56, 24}, 123, {}, 0, 124);
         }},
        {L"ORVA Gallery Delete",
         "delete_macro",
         125,
         {810, 190},
         [](CGalleryWindow& w) {
             FillPopup(w, "delete", {257, 150, 55, 24}, 126, {317, 150, 57, 24}, 127, 128);
         }},
        {L"ORVA Gallery Move", "TQA_move", 133, {810, 380}, FillAnalysisMove},
        {L"ORVA Gallery Reset",
         "reset_warn",
         142,
         {810, 570},
         [](CGalleryWindow& w) {
             FillPopup(w, "reset", {257, 150, 55, 24}, 143, {317, 150, 56, 24}, 144, 145);
         }},
        {L"ORVA Gallery Start",
         "TQA_start",
         129,
         {810, 760},
         [](CGalleryWindow& w) {
             FillPopup(w, "start", {190, 150, 122, 24}, 130, {317, 150, 56, 24}, 131, 132);
         }},
    };
    return name == "windows" ? windows : pages;
}

class CGalleryApp : public CZelApp {
  public:
    CGalleryApp(fs::path output, fs::path skins, std::string scene)
        : output_(std::move(output)), skins_(std::move(skins)), scene_(std::move(scene)) {}

  protected:
    bool InitInstance() noexcept override {
        SetSkinFolder(skins_);
        SetSkinProblemReporter([this](const std::wstring& message) {
            std::fwprintf(stderr, L"%ls\n", message.c_str());
            missing_ = true;
        });
        for (const WindowPlan& plan : Scene(scene_)) {
            auto window =
                std::make_unique<CGalleryWindow>(plan.title, plan.sheet, plan.background, plan.at);
            if (!window->Open()) {
                return false;
            }
            plan.fill(*window);
            window->SetText(plan.title);
            windows_.push_back(std::move(window));
        }
        if (missing_) {
            return false;
        }
        // Everything drawn before the listing tells the test to start.
        for (auto& w : windows_) {
            UpdateWindow(w->Hwnd());
        }
        FILE* out = _wfopen((output_ / L"gallery-controls.txt.tmp").c_str(), L"w");
        if (out == nullptr) {
            return false;
        }
        for (auto& w : windows_) {
            w->WriteListing(out);
        }
        std::fclose(out);
        std::error_code ec;
        fs::rename(output_ / L"gallery-controls.txt.tmp", output_ / L"gallery-controls.txt", ec);
        quitFile_ = output_ / L"quit";
        started_ = GetTickCount();
        SetTimer(nullptr, kQuitWatch, 100, &CGalleryApp::OnQuitWatch);
        return true;
    }

    int ExitInstance() noexcept override {
        // The windows hold images, which must go before the graphics library does.
        windows_.clear();
        return 0;
    }

  private:
    static void CALLBACK OnQuitWatch(HWND, UINT, UINT_PTR, DWORD) noexcept {
        std::error_code ec;
        if (fs::exists(quitFile_, ec) || GetTickCount() - started_ > kMaxRunSeconds * 1000u) {
            PostQuitMessage(0);
        }
    }

    fs::path output_;
    fs::path skins_;
    std::string scene_;
    bool missing_ = false;
    std::vector<std::unique_ptr<CGalleryWindow>> windows_;
    static inline fs::path quitFile_;
    static inline DWORD started_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: orva-skin-gallery <output folder> [skins folder] [pages|windows]\n");
        return 2;
    }
    fs::path output = Wide(argv[1]);
    fs::path skins = argc > 2
                         ? fs::path(Wide(argv[2]))
                         : ApplicationFolder() / L".." / L".." / L".." / L".." / L"dist" / L"Skins";
    CGalleryApp app(output, skins, argc > 3 ? argv[3] : "pages");
    return app.Run();
}
