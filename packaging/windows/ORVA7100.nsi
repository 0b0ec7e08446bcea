; The Windows installer of the ORVA 7100 configurator: installs the program folder, a Start-menu
; entry, optionally starts the configurator with Windows, and registers its uninstaller.
; makensis -DDIST=<dist folder> -DOUTFILE=<installer> -DVERSION=<x.yy> ORVA7100.nsi
;
; Silent use: "ORVA7100-Setup-x.yy.exe /S [/D=FOLDER]"; the uninstaller takes /S and, to remove
; the user's profiles and macros as well, /REMOVEDATA. Without it they are kept.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!ifndef VERSION
  !error "VERSION is not defined"
!endif

!define PRODUCT "ORVA7100"
!define PRODUCT_LONG "ORVA 7100 Laser Gaming Mouse"
!define MAKER "Velmor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT_LONG} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_FINISHPAGE_RUN "$INSTDIR\ORVA7100.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start the ORVA7100 configurator now"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The configurator stays in the notification area: files cannot be replaced while it runs.
!macro WAIT_FOR_CONFIGURATOR_TO_END
  ${Do}
    FindWindow $0 "#32770" "${PRODUCT}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "The ${PRODUCT} configurator is running. Choose Exit in its menu in the notification area, then Retry." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

; The skin sheets of the larger display scales, each scale in its own folder: installed (File)
; or removed (Delete) with the folder.
!macro SCALED_SKINS ACTION
  !insertmacro SCALED_SKIN_FOLDER ${ACTION} 125
  !insertmacro SCALED_SKIN_FOLDER ${ACTION} 150
  !insertmacro SCALED_SKIN_FOLDER ${ACTION} 200
!macroend
!macro SCALED_SKIN_FOLDER ACTION PERCENT
  !if "${ACTION}" == "File"
    SetOutPath "$INSTDIR\Skins\${PERCENT}"
    File "${DIST}\Skins\${PERCENT}\*.png"
  !else
    Delete "$INSTDIR\Skins\${PERCENT}\*.png"
    RMDir "$INSTDIR\Skins\${PERCENT}"
  !endif
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro WAIT_FOR_CONFIGURATOR_TO_END
FunctionEnd

Section "ORVA7100 configurator and firmware updater" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${DIST}\ORVA7100.exe"
  File "${DIST}\orva7100ctl.exe"
  SetOutPath "$INSTDIR\Skins"
  File "${DIST}\Skins\*.bmp"
  ; The sheets of the larger display scales.
  !insertmacro SCALED_SKINS File
  SetOutPath "$INSTDIR\Romvane"
  File "${DIST}\Romvane\Updater.exe"
  File "${DIST}\Romvane\hiddriver.dll"
  ; The updater's configuration names the firmware file; a newer installer brings a newer one.
  File "${DIST}\Romvane\config.ini"
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\ORVA7100.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_LONG}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ORVA7100.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; A tray program is expected to start with Windows; the user may turn it off here.
Section "Start the configurator with Windows" SecAutostart
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\ORVA7100.exe"'
SectionEnd

Section "-StartWithWindowsOff"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
SectionEnd


Section "un.ORVA7100 program files" SecUnProgram
  SectionIn RO
  Delete "$INSTDIR\ORVA7100.exe"
  Delete "$INSTDIR\orva7100ctl.exe"
  Delete "$INSTDIR\Skins\*.bmp"
  !insertmacro SCALED_SKINS Delete
  RMDir "$INSTDIR\Skins"
  Delete "$INSTDIR\Romvane\Updater.exe"
  Delete "$INSTDIR\Romvane\hiddriver.dll"
  Delete "$INSTDIR\Romvane\config.ini"
  RMDir "$INSTDIR\Romvane"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\${MAKER}"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Profiles and macros belong to the user: removed only when the user asks for it.
Section /o "un.Also remove my profiles and macros" SecRemoveData
  SetShellVarContext current
  RMDir /r "$APPDATA\${MAKER}\${PRODUCT}"
  RMDir "$APPDATA\${MAKER}"
  SetShellVarContext all
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro WAIT_FOR_CONFIGURATOR_TO_END
  ; Silent uninstalls keep the user's data unless asked with /REMOVEDATA.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${If} ${Errors}
    SectionSetFlags ${SecRemoveData} 0
  ${Else}
    SectionSetFlags ${SecRemoveData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
