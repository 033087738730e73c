; The per-user installer of the 64-bit program. It needs no administrator rights and installs
; into the user's own programs folder: the program writes its document store "txt.kl",
; Time.ini and voice\ beside itself, which a folder under Program Files would not allow.
; The user's documents stay on upgrade and uninstall unless the user ticks their removal.
;
; Silent runs: setup.exe /S installs; uninst.exe /S uninstalls keeping the documents,
; uninst.exe /S /REMOVEDOCS removes them too (the box a user ticks).
;
; makensis -INPUTCHARSET UTF8 -DMJ_VERSION_NSH=<mjzs_version.nsh> -DMJ_STAGE=<program folder>
;          -DMJ_ICON=<mjzs.ico> -DMJ_OUTFILE=<setup.exe> mjzs.nsi

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestSupportedOS all

!include "${MJ_VERSION_NSH}"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\mjzs"
!define PROGRAM "mjzs.exe"
!define README "使用说明.txt"
!define LINK_NAME "${MJ_PRODUCT_NAME}.lnk"

Name "${MJ_PRODUCT_NAME} ${MJ_VERSION}"
OutFile "${MJ_OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${MJ_PRODUCT_NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${MJ_PRODUCT_NAME} ${MJ_VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${MJ_FILE_VERSION}"
VIFileVersion "${MJ_FILE_VERSION}"

!define MUI_ICON "${MJ_ICON}"
!define MUI_UNICON "${MJ_ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${MJ_PRODUCT_NAME}"
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\${README}"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "卸载将保留你的文档（txt.kl）、录音文件夹 voice 和时长设置 Time.ini。如需一并删除，请勾选下面的选项。"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${MJ_PRODUCT_NAME}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${MJ_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${MJ_COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${MJ_PRODUCT_NAME} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${MJ_FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${MJ_FILE_VERSION}"

; A running program holds its executable and its store open: ask for it to be closed first.
; Silent runs give up instead of waiting.
!macro REQUIRE_CLOSED_PROGRAM
  ${Do}
    FindWindow $0 "TMainForm1"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${MJ_PRODUCT_NAME} 正在运行。请先保存文档并关闭它，然后点击“重试”。" /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

Section "${MJ_PRODUCT_NAME}（必需）" SecProgram
  SectionIn RO
  !insertmacro REQUIRE_CLOSED_PROGRAM
  ; Shortcuts take the output folder as their working directory: the program folder, where
  ; the program opens its store.
  SetOutPath "$INSTDIR"
  File "${MJ_STAGE}\${PROGRAM}"
  File "${MJ_STAGE}\${README}"
  ; The user's own durations survive an upgrade.
  SetOverwrite off
  File "${MJ_STAGE}\Time.ini"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninst.exe"
  CreateShortcut "$SMPROGRAMS\${LINK_NAME}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${MJ_PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${MJ_FILE_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${MJ_PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "桌面快捷方式" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${LINK_NAME}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0
SectionEnd

Function RunProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${PROGRAM}"'
FunctionEnd

Section "un.${MJ_PRODUCT_NAME}" UnSecProgram
  SectionIn RO
  !insertmacro REQUIRE_CLOSED_PROGRAM
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\${README}"
  Delete "$INSTDIR\uninst.exe"
  Delete "$SMPROGRAMS\${LINK_NAME}"
  Delete "$DESKTOP\${LINK_NAME}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Unticked unless the user asks: the documents (the store with its side files and the draft
; of unsaved text), their recordings and the settings.
Section /o "un.同时删除我的文档、录音和设置" UnSecDocuments
  Delete "$INSTDIR\txt.kl"
  Delete "$INSTDIR\txt.kl-wal"
  Delete "$INSTDIR\txt.kl-shm"
  Delete "$INSTDIR\txt.kl-journal"
  Delete "$INSTDIR\txt.kl.draft*"
  Delete "$INSTDIR\Time.ini"
  RMDir /r "$INSTDIR\voice"
SectionEnd

Section "-un.ProgramFolder"
  ; Only an empty folder goes: whatever the user keeps there stays.
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDOCS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecDocuments}
  ${EndIf}
FunctionEnd
