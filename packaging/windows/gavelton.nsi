; The hosts' installer of Gavelton, built by scripts/build-windows with makensis:
;   makensis -DVERSION=0.1.0 -DARCH=i686 -DDIST=dist/windows-i686 -DICON=src/ui/gavelton.ico \
;            -DOUTFILE=dist/gavelton-0.1.0-windows-i686-setup.exe packaging/windows/gavelton.nsi
;
; Per user, without administrator rights: the program goes into the user's own programs folder
; (%LOCALAPPDATA%\Programs\Gavelton); its working folder, where SCONTROL.TXT, BIDS.TXT,
; Items.TXT and the host's other files live, is Documents\Gavelton, which the uninstaller
; leaves alone. The practice world and the stand-in wadapi.dll go into practice\, never beside
; gavelton.exe, where the stand-in would be loaded instead of the chat client's library.

!ifndef VERSION
  !error "define VERSION (see the head of this file)"
!endif
!ifndef ARCH
  !error "define ARCH (see the head of this file)"
!endif
; Hosts get the i686 installer. The x86_64 one exists for checking the 64-bit build under a
; 64-bit-only Wine, where a 32-bit installer cannot start.
!if "${ARCH}" == "x86_64"
  Target amd64-unicode
!else
  Unicode true
!endif
!include "MUI2.nsh"
!ifndef DIST
  !error "define DIST (see the head of this file)"
!endif
!ifndef ICON
  !error "define ICON (see the head of this file)"
!endif
!ifndef OUTFILE
  !error "define OUTFILE (see the head of this file)"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gavelton"

Name "Gavelton"
Caption "Gavelton ${VERSION} Setup"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Gavelton"
InstallDirRegKey HKCU "Software\Gavelton" "InstallDir"
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Gavelton"
VIAddVersionKey /LANG=1033 "FileDescription" "Gavelton ${VERSION} Setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the README"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Gavelton"
  SetShellVarContext current
  SetOverwrite on

  SetOutPath "$INSTDIR"
  File "/oname=gavelton.exe" "${DIST}/gavelton.exe"
  File "/oname=README.txt" "${DIST}/README.txt"
  SetOutPath "$INSTDIR\practice"
  File "/oname=practice-world.exe" "${DIST}/practice/practice-world.exe"
  File "/oname=wadapi.dll" "${DIST}/practice/wadapi.dll"

  ; The working folder. Nothing is written into it: a host's files from an earlier install stay.
  CreateDirectory "$DOCUMENTS\Gavelton"

  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; A shortcut starts in the output folder current when it is made.
  CreateDirectory "$SMPROGRAMS\Gavelton"
  SetOutPath "$DOCUMENTS\Gavelton"
  CreateShortcut "$SMPROGRAMS\Gavelton\Gavelton.lnk" "$INSTDIR\gavelton.exe" "" "$INSTDIR\gavelton.exe" 0 \
    SW_SHOWNORMAL "" "Run auctions beside the chat client"
  SetOutPath "$INSTDIR\practice"
  CreateShortcut "$SMPROGRAMS\Gavelton\Gavelton Practice World.lnk" "$INSTDIR\practice\practice-world.exe" "" \
    "$INSTDIR\practice\practice-world.exe" 0 SW_SHOWNORMAL "" "A pretend chat world for rehearsing"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Gavelton\Gavelton README.lnk" "$INSTDIR\README.txt"

  WriteRegStr HKCU "Software\Gavelton" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Gavelton"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\gavelton.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; anything else (a wadapi.dll the host copied beside
; gavelton.exe, say) keeps its folder. Documents\Gavelton is the host's and is not touched.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Gavelton\Gavelton.lnk"
  Delete "$SMPROGRAMS\Gavelton\Gavelton Practice World.lnk"
  Delete "$SMPROGRAMS\Gavelton\Gavelton README.lnk"
  RMDir "$SMPROGRAMS\Gavelton"

  Delete "$INSTDIR\practice\practice-world.exe"
  Delete "$INSTDIR\practice\wadapi.dll"
  RMDir "$INSTDIR\practice"
  Delete "$INSTDIR\gavelton.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Gavelton"
SectionEnd
