#pragma once
// The configurator's own words: window title, single-instance names, tray and menu texts and
// the messages it shows. UTF-16 like the rest of the program's strings.

inline constexpr char16_t kMainWindowTitle[] = u"ORVA7100";
inline constexpr char16_t kInstanceMutexName[] = u"VELMOR ORVA7100 Config";
// Message boxes are titled apart from the main window so that a second start, which looks for
// the window by its title, never finds a message box instead.
inline constexpr char16_t kMessageTitle[] = u"ORVA 7100";
inline constexpr char16_t kProgramVersion[] = u"1.34";
inline constexpr char16_t kTrayTip[] = u"ORVA 7100 Laser Gaming Mouse";
inline constexpr char16_t kTrayConfigItem[] = u"Config Mouse";
inline constexpr char16_t kTrayExitItem[] = u"Exit";
inline constexpr char16_t kRenameItem[] = u"Rename";
inline constexpr char16_t kSaveItem[] = u"Save current settings";
inline constexpr char16_t kExportItem[] = u"Export Profile";
inline constexpr char16_t kImportItem[] = u"Import Profile";
inline constexpr char16_t kRegisterFailedText[] = u"RegisterDeviceNotification Failed!";
inline constexpr char16_t kUpdaterRunningText[] =
    u"The firmware updater is running. The settings were saved; press Apply again when the "
    u"update has finished to write them to the mouse.";
// The file dialogs' filter, as pairs of description and pattern.
inline constexpr char16_t kProfileFilterName[] = u"Orva Mouse Profile(*.profile)";
inline constexpr char16_t kProfileFilterPattern[] = u"*.profile";

// Items of a profile's menu and of the tray menu.
enum ProfileMenuItem : int {
    kMenuRename = 1,
    kMenuSave = 2,
    kMenuExport = 3,
    kMenuImport = 4,
};
enum TrayMenuItem : int {
    kTrayConfig = 100,
    kTrayExit = 101,
};
