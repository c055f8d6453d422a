; Trakvel's installer: the files of the portable zip into Program Files, a Start
; menu entry, an entry under Programs and Features, and an uninstaller.
;   makensis -DVERSION=1.0 -DSTAGE=DIR -DICON=FILE -DOUT_FILE=FILE trakvel.nsi
; /S installs or uninstalls silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trakvel"

Name "Trakvel"
OutFile "${OUT_FILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Trakvel"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show

LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Trakvel"
VIAddVersionKey /LANG=2052 "FileDescription" "Trakvel Setup"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "Trakvel"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Trakvel"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\Trakvel.exe"
  File "${STAGE}\trakvel-cli.exe"
  File "${STAGE}\trakvel.ini.sample"
  File "${STAGE}\README.md"
  ; The carried files go in too, hidden as the program's first start leaves them:
  ; in Program Files the program cannot write them itself. Windows refuses to
  ; create over a hidden file, so an earlier installation's are unhidden first.
  SetFileAttributes "$INSTDIR\SkinH_EL.dll" NORMAL
  SetFileAttributes "$INSTDIR\FlatXP.she" NORMAL
  File "${STAGE}\SkinH_EL.dll"
  File "${STAGE}\FlatXP.she"
  SetFileAttributes "$INSTDIR\SkinH_EL.dll" HIDDEN
  SetFileAttributes "$INSTDIR\FlatXP.she" HIDDEN
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Trakvel"
  CreateShortcut "$SMPROGRAMS\Trakvel\Trakvel.lnk" "$INSTDIR\Trakvel.exe"
  CreateShortcut "$SMPROGRAMS\Trakvel\卸载 Trakvel.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Trakvel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Trakvel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Trakvel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Trakvel.exe"
  Delete "$INSTDIR\trakvel-cli.exe"
  Delete "$INSTDIR\trakvel.ini.sample"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\SkinH_EL.dll"
  Delete "$INSTDIR\FlatXP.she"
  Delete "$INSTDIR\uninstall.exe"
  ; A trakvel.ini of the user's own stays, and with it the directory.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Trakvel\Trakvel.lnk"
  Delete "$SMPROGRAMS\Trakvel\卸载 Trakvel.lnk"
  RMDir "$SMPROGRAMS\Trakvel"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
