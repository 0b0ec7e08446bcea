// The control gallery: every skinned control with the real skins, in the states a person and
// the screenshot test look at. A test tool, not shipped.
//
//   orva-skin-gallery <output folder> [skins folder]
//
// Writes <output folder>/gallery-controls.txt once the windows are up and ends when a file
// named "quit" appears there (or after five minutes).
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "GalleryWindow.h"
#include "SkinImages.h"
#include "Storage.h"
#include "ZelApp.h"
#include "ZelMenu.h"

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

class CGalleryApp : public CZelApp {
  public:
    CGalleryApp(fs::path output, fs::path skins)
        : output_(std::move(output)), skins_(std::move(skins)) {}

  protected:
    bool InitInstance() noexcept override {
        SetSkinFolder(skins_);
        SetSkinProblemReporter([this](const std::wstring& message) {
            std::fwprintf(stderr, L"%ls\n", message.c_str());
            missing_ = true;
        });
        if (!mouse_.Open() || !colour_.Open() || !sensor_.Open() || !rename_.Open() ||
            !key_.Open() || !plain_.Open()) {
            return false;
        }
        FillMousePage(mouse_);
        FillColourPage(colour_);
        FillSensorPage(sensor_);
        FillRename(rename_);
        FillSingleKey(key_);
        // A window without a skin: the plain edit box and the macro list with its scroll bar.
        SetWindowPos(plain_.Hwnd(), nullptr, 0, 0, 240, 280, SWP_NOMOVE | SWP_NOZORDER);
        CZelEdit& box = plain_.AddEdit("plainedit", 1, {10, 10, 150, 20});
        box.SetText(L"typed text");
        CZelListBox& list =
            plain_.AddListBox("macrolist", 1069, {10, 45, 204, 220}, {49, 63, 204, 220});
        for (int i = 1; i <= 14; ++i) {
            list.AddNamedItem(L"Macro " + std::to_wstring(i));
        }
        plain_.SetText(L"ORVA Gallery Plain");
        if (missing_) {
            return false;
        }
        // Everything drawn before the listing tells the test to start.
        for (CGalleryWindow* w : {&mouse_, &colour_, &sensor_, &rename_, &key_, &plain_}) {
            UpdateWindow(w->Hwnd());
        }
        FILE* out = _wfopen((output_ / L"gallery-controls.txt.tmp").c_str(), L"w");
        if (out == nullptr) {
            return false;
        }
        for (CGalleryWindow* w : {&mouse_, &colour_, &sensor_, &rename_, &key_, &plain_}) {
            w->WriteListing(out);
        }
        std::fclose(out);
        std::error_code ec;
        fs::rename(output_ / L"gallery-controls.txt.tmp", output_ / L"gallery-controls.txt", ec);
        SetTimer(nullptr, kQuitWatch, 100, &CGalleryApp::OnQuitWatch);
        quitFile_ = output_ / L"quit";
        started_ = GetTickCount();
        return true;
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
    bool missing_ = false;
    CGalleryWindow mouse_{L"ORVA Gallery", "mouse_page", 23, {0, 0}};
    CGalleryWindow colour_{L"ORVA Gallery Colour", "color_page", 59, {0, 340}};
    CGalleryWindow sensor_{L"ORVA Gallery Sensor", "sensor_page", 48, {0, 682}};
    CGalleryWindow rename_{L"ORVA Gallery Rename", "profile_rename", 117, {790, 0}};
    CGalleryWindow key_{L"ORVA Gallery Key", "single_key", 146, {790, 190}};
    CGalleryWindow plain_{L"ORVA Gallery Plain", "none", -1, {790, 380}};
    static inline fs::path quitFile_;
    static inline DWORD started_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orva-skin-gallery <output folder> [skins folder]\n");
        return 2;
    }
    fs::path output = Wide(argv[1]);
    fs::path skins = argc > 2
                         ? fs::path(Wide(argv[2]))
                         : ApplicationFolder() / L".." / L".." / L".." / L".." / L"dist" / L"Skins";
    CGalleryApp app(output, skins);
    return app.Run();
}
