; Kestrava's setup program: a per-user install that needs no administrator rights, so the two
; save folders beside the program stay writable. Built by the package command with
;   makensis -DVERSION=1.0 -DVERSION4=1.0.0.0 -DSTAGE=<the installed files> -DOUTFILE=<exe>
; /S installs silently, /D=<folder> (last, unquoted) chooses the folder.

!macro Required define
  !ifndef ${define}
    !error "Kestrava.nsi needs -D${define}=..."
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required VERSION4
!insertmacro Required STAGE
!insertmacro Required OUTFILE

Unicode true
Target amd64-unicode ; the program is x86-64 only, and so is Wine without its 32-bit part
SetCompressor /SOLID lzma
RequestExecutionLevel user
; A file that cannot be written (the program is running) is retried or the install cancelled,
; never skipped: a half-updated program must not pass for an updated one.
AllowSkipFiles off
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrava"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Kestrava"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kestrava"
; A newer version goes where the last one is, so the saved files stay with the program.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!pragma warning disable 9100 ; the program's own version information names no copyright either
VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Kestrava"
VIAddVersionKey /LANG=1033 "CompanyName" "Kestrava"
VIAddVersionKey /LANG=1033 "FileDescription" "Kestrava setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!define MUI_ICON "${__FILEDIR__}/../app/Kestrava.ico"
!define MUI_UNICON "${__FILEDIR__}/../app/Kestrava.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kestrava.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A file type: its extension, a ProgID described for the shell, the program's icon, and an
; "open" verb that hands the file to the program quoted, blanks and all.
!macro FileTypeWrite extension progId description
  WriteRegStr HKCU "Software\Classes\${extension}" "" "${progId}"
  WriteRegStr HKCU "Software\Classes\${progId}" "" "${description}"
  WriteRegStr HKCU "Software\Classes\${progId}\DefaultIcon" "" "$INSTDIR\Kestrava.exe,0"
  WriteRegStr HKCU "Software\Classes\${progId}\shell\open\command" "" '"$INSTDIR\Kestrava.exe" "%1"'
!macroend

; The extension keeps whatever else another program put there; only our ProgID goes.
!macro FileTypeDelete extension progId
  ReadRegStr $0 HKCU "Software\Classes\${extension}" ""
  ${If} $0 == "${progId}"
    DeleteRegValue HKCU "Software\Classes\${extension}" ""
  ${EndIf}
  DeleteRegKey /ifempty HKCU "Software\Classes\${extension}"
  DeleteRegKey HKCU "Software\Classes\${progId}"
!macroend

Section "Kestrava" SectionProgram
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/Kestrava.exe"
  File "${STAGE}/ReadMe.txt"
  ; The uninstaller deletes these files by name: keep both lists alike.
  SetOutPath "$INSTDIR\data"
  File "${STAGE}/data/help.txt"
  File "${STAGE}/data/header.bmp"
  ; Created when missing; an older version's saved files stay as they are.
  CreateDirectory "$INSTDIR\Saved-Entrys"
  CreateDirectory "$INSTDIR\Saved-Lists"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut starts the program in its folder, where it finds data\ and the save folders.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Kestrava.lnk" "$INSTDIR\Kestrava.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kestrava"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Kestrava"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kestrava.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SectionProgram} $0 ; in KB, as the list of programs expects
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  !insertmacro FileTypeWrite ".kvl" "Kestrava.List" "Kestrava trade list"
  !insertmacro FileTypeWrite ".kve" "Kestrava.Entry" "Kestrava trade entry"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; A running program cannot be deleted: stop before anything is gone rather than halfway.
  Delete "$INSTDIR\Kestrava.exe"
  ${If} ${FileExists} "$INSTDIR\Kestrava.exe"
    MessageBox MB_OK|MB_ICONSTOP "Kestrava is still running. Quit it, then uninstall again." /SD IDOK
    Abort
  ${EndIf}
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\data\help.txt"
  Delete "$INSTDIR\data\header.bmp"
  RMDir "$INSTDIR\data"
  Delete "$SMPROGRAMS\Kestrava.lnk"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !insertmacro FileTypeDelete ".kvl" "Kestrava.List"
  !insertmacro FileTypeDelete ".kve" "Kestrava.Entry"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  ; What the trader saved is never deleted: the save folders go only when empty.
  RMDir "$INSTDIR\Saved-Entrys"
  RMDir "$INSTDIR\Saved-Lists"
  ${If} ${FileExists} "$INSTDIR\Saved-Entrys\*.*"
  ${OrIf} ${FileExists} "$INSTDIR\Saved-Lists\*.*"
    MessageBox MB_OK|MB_ICONINFORMATION "Your saved entries and lists are kept in$\r$\n$INSTDIR" /SD IDOK
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
