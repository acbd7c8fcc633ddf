; The installer of Horomap.exe: Japanese pages, a folder of the user's
; choice, a Start-menu entry and an uninstaller, all for the user who
; installs: it asks for no administrator rights, installs by default into
; that user's own programs folder (%LOCALAPPDATA%\Programs\Horomira, where
; the program may write its settings and its sample file beside itself), and
; keeps its Start-menu and uninstall entries among that user's.  The uninstaller first lets the program remove its settings
; file and its .bd5 association ("Horomap.exe /uninstall"), then removes the
; files installed here; birth-data files (.bd5) are never removed, and the
; folder stays while any are in it.  /S installs or uninstalls silently,
; /D=FOLDER (last on the command line) chooses the folder.
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=5.4.0.2 -DTARGET=x86-unicode
;            -DPAYLOAD=FOLDER -DICON=FILE.ico -DOUTFILE=SETUP.exe horomira.nsi
;
; PAYLOAD is the folder the portable zip is made of (tools/make_windows_package.sh):
; Horomap.exe, README-ja.txt, guide-ja.html and the guide's pictures in docs.
; The shipped installer is x86-unicode around the i686 program, and the
; Wine tests install it; where only the x86-64 program can run, they build
; this same script for amd64-unicode around that program.

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
; The guide's pictures: File and Delete lines written by the packaging.
!include "${DOCS_NSH}"

!define PRODUCT "ホロミラ"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Horomira"
; The Start-menu entry; it starts the program in its folder, where the
; program builds the sample birth-data file at its first start.
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Horomira"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Horomira ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\guide-ja.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "使い方を表示する"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Horomira"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} ${VERSION} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Horomira developers"

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\Horomap.exe"
  File "${PAYLOAD}\README-ja.txt"
  File "${PAYLOAD}\guide-ja.html"
  SetOutPath "$INSTDIR\docs"
  !insertmacro InstallDocs
  SetOutPath "$INSTDIR"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\Horomap.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Horomap.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; The program's own removal: Horom.sii beside it and the association,
  ; when the association names this folder.  It shows nothing.
  IfFileExists "$INSTDIR\Horomap.exe" 0 +2
    ExecWait '"$INSTDIR\Horomap.exe" /uninstall'
  Delete "$INSTDIR\Horomap.exe"
  Delete "$INSTDIR\README-ja.txt"
  Delete "$INSTDIR\guide-ja.html"
  !insertmacro RemoveDocs
  RMDir "$INSTDIR\docs"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Left while the user's birth-data files are in it.
  RMDir "$INSTDIR"
SectionEnd
