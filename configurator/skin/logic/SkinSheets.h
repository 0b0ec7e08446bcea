#pragma once
// The skin files: the 56 sheets of the cache in load order, their pixel sizes, and the four
// frames of the surface-analysis animation. Header-only so that the art generator (a host
// program of its own) draws exactly the files the configurator loads.

#include <array>

enum class SkinFamily {
    kMain,
    kMousePage,
    kSensorPage,
    kColourPage,
    kMacroPage,
    kSupportPage,
    kSliderThumb,
    kRename,
    kScrollBar,
    kLeftClickWarning,
    kDeleteMacro,
    kAnalysisStart,
    kAnalysisMove,
    kAnalysisFinish,
    kResetWarning,
    kSingleKey,
};

// What a sheet shows: a state of its window, or the macro page's plain background.
enum class SheetRole { kNormal, kOver, kDown, kDisable, kBackground };

struct SkinSheetFile {
    const char* name;
    SkinFamily family;
    SheetRole role;
    int width;
    int height;
};

inline constexpr int kMainWidth = 800, kMainHeight = 600;
inline constexpr int kPageWidth = 777, kPageHeight = 337;
inline constexpr int kSupportWidth = 779, kSupportHeight = 338;
inline constexpr int kPopupWidth = 375, kPopupHeight = 180;
inline constexpr int kRenameWidth = 374, kRenameHeight = 180;
inline constexpr int kThumbWidth = 12, kThumbHeight = 16;
inline constexpr int kScrollWidth = 23, kScrollHeight = 222;
inline constexpr int kFrameWidth = 174, kFrameHeight = 144;

inline constexpr int kSkinSheetCount = 56;

// clang-format off
inline constexpr std::array<SkinSheetFile, kSkinSheetCount> kSkinSheets{{
    {"main_normal.bmp", SkinFamily::kMain, SheetRole::kNormal, kMainWidth, kMainHeight},
    {"main_over.bmp", SkinFamily::kMain, SheetRole::kOver, kMainWidth, kMainHeight},
    {"main_down.bmp", SkinFamily::kMain, SheetRole::kDown, kMainWidth, kMainHeight},
    {"main_disable.bmp", SkinFamily::kMain, SheetRole::kDisable, kMainWidth, kMainHeight},
    {"mouse_page_normal.bmp", SkinFamily::kMousePage, SheetRole::kNormal, kPageWidth, kPageHeight},
    {"mouse_page_over.bmp", SkinFamily::kMousePage, SheetRole::kOver, kPageWidth, kPageHeight},
    {"mouse_page_down.bmp", SkinFamily::kMousePage, SheetRole::kDown, kPageWidth, kPageHeight},
    {"mouse_page_disable.bmp", SkinFamily::kMousePage, SheetRole::kDisable, kPageWidth, kPageHeight},
    {"sensor_page_normal.bmp", SkinFamily::kSensorPage, SheetRole::kNormal, kPageWidth, kPageHeight},
    {"sensor_page_over.bmp", SkinFamily::kSensorPage, SheetRole::kOver, kPageWidth, kPageHeight},
    {"sensor_page_down.bmp", SkinFamily::kSensorPage, SheetRole::kDown, kPageWidth, kPageHeight},
    {"sensor_page_disable.bmp", SkinFamily::kSensorPage, SheetRole::kDisable, kPageWidth, kPageHeight},
    {"color_page_normal.bmp", SkinFamily::kColourPage, SheetRole::kNormal, kPageWidth, kPageHeight},
    {"color_page_over.bmp", SkinFamily::kColourPage, SheetRole::kOver, kPageWidth, kPageHeight},
    {"color_page_down.bmp", SkinFamily::kColourPage, SheetRole::kDown, kPageWidth, kPageHeight},
    {"color_page_disable.bmp", SkinFamily::kColourPage, SheetRole::kDisable, kPageWidth, kPageHeight},
    {"macro_page_bk.bmp", SkinFamily::kMacroPage, SheetRole::kBackground, kPageWidth, kPageHeight},
    {"macro_page_normal.bmp", SkinFamily::kMacroPage, SheetRole::kNormal, kPageWidth, kPageHeight},
    {"macro_page_over.bmp", SkinFamily::kMacroPage, SheetRole::kOver, kPageWidth, kPageHeight},
    {"macro_page_down.bmp", SkinFamily::kMacroPage, SheetRole::kDown, kPageWidth, kPageHeight},
    {"macro_page_disable.bmp", SkinFamily::kMacroPage, SheetRole::kDisable, kPageWidth, kPageHeight},
    {"support_page_normal.bmp", SkinFamily::kSupportPage, SheetRole::kNormal, kSupportWidth, kSupportHeight},
    {"support_page_over.bmp", SkinFamily::kSupportPage, SheetRole::kOver, kSupportWidth, kSupportHeight},
    {"support_page_down.bmp", SkinFamily::kSupportPage, SheetRole::kDown, kSupportWidth, kSupportHeight},
    {"support_page_disable.bmp", SkinFamily::kSupportPage, SheetRole::kDisable, kSupportWidth, kSupportHeight},
    {"slider_normal.bmp", SkinFamily::kSliderThumb, SheetRole::kNormal, kThumbWidth, kThumbHeight},
    {"slider_disable.bmp", SkinFamily::kSliderThumb, SheetRole::kDisable, kThumbWidth, kThumbHeight},
    {"profile_rename_normal.bmp", SkinFamily::kRename, SheetRole::kNormal, kRenameWidth, kRenameHeight},
    {"profile_rename_over.bmp", SkinFamily::kRename, SheetRole::kOver, kRenameWidth, kRenameHeight},
    {"profile_rename_down.bmp", SkinFamily::kRename, SheetRole::kDown, kRenameWidth, kRenameHeight},
    {"profile_rename_disable.bmp", SkinFamily::kRename, SheetRole::kDisable, kRenameWidth, kRenameHeight},
    {"Scroll_Normal.bmp", SkinFamily::kScrollBar, SheetRole::kNormal, kScrollWidth, kScrollHeight},
    {"Scroll_Over.bmp", SkinFamily::kScrollBar, SheetRole::kOver, kScrollWidth, kScrollHeight},
    {"Scroll_Down.bmp", SkinFamily::kScrollBar, SheetRole::kDown, kScrollWidth, kScrollHeight},
    {"leftclickwarn_normal.bmp", SkinFamily::kLeftClickWarning, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"leftclickwarn_over.bmp", SkinFamily::kLeftClickWarning, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"leftclickwarn_down.bmp", SkinFamily::kLeftClickWarning, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"delete_macro_normal.bmp", SkinFamily::kDeleteMacro, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"delete_macro_over.bmp", SkinFamily::kDeleteMacro, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"delete_macro_down.bmp", SkinFamily::kDeleteMacro, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"TQA_start_normal.bmp", SkinFamily::kAnalysisStart, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"TQA_start_over.bmp", SkinFamily::kAnalysisStart, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"TQA_start_down.bmp", SkinFamily::kAnalysisStart, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"TQA_move_normal.bmp", SkinFamily::kAnalysisMove, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"TQA_move_over.bmp", SkinFamily::kAnalysisMove, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"TQA_move_down.bmp", SkinFamily::kAnalysisMove, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"TQA_finish_normal.bmp", SkinFamily::kAnalysisFinish, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"TQA_finish_over.bmp", SkinFamily::kAnalysisFinish, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"TQA_finish_down.bmp", SkinFamily::kAnalysisFinish, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"reset_warn_normal.bmp", SkinFamily::kResetWarning, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"reset_warn_over.bmp", SkinFamily::kResetWarning, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"reset_warn_down.bmp", SkinFamily::kResetWarning, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"single_key_normal.bmp", SkinFamily::kSingleKey, SheetRole::kNormal, kPopupWidth, kPopupHeight},
    {"single_key_over.bmp", SkinFamily::kSingleKey, SheetRole::kOver, kPopupWidth, kPopupHeight},
    {"single_key_down.bmp", SkinFamily::kSingleKey, SheetRole::kDown, kPopupWidth, kPopupHeight},
    {"single_key_disable.bmp", SkinFamily::kSingleKey, SheetRole::kDisable, kPopupWidth, kPopupHeight},
}};
// clang-format on

// Frames 0 .. 3 of the animation shown while the surface is analysed, in the same folder.
inline constexpr std::array<const char*, 4> kAnalysisFrameFiles{"TQA2-0.bmp", "TQA2-1.bmp",
                                                                "TQA2-2.bmp", "TQA2-3.bmp"};
