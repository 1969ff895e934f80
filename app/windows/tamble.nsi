; The Windows installer of Tamble, made by scripts/package-windows with
; makensis from the package folder:
;   makensis -DVERSION=1.21 -DSOURCE=<package folder> -DOUTFILE=<setup.exe> -DICON=<tamble.ico>
;            -DFILES=<list of the installed files for the uninstaller> tamble.nsi
; It installs into Program Files with a Start-menu entry and an uninstaller.
; An installed Tamble keeps its settings and item.lst in %APPDATA%\Tamble,
; since a program's folder below Program Files is not the user's to write.
Unicode true
!include x64.nsh

Name "Tamble ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tamble"
InstallDirRegKey HKLM "Software\Tamble" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamble"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Tamble needs a 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Tamble"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Tamble"
  CreateShortcut "$SMPROGRAMS\Tamble\Tamble.lnk" "$INSTDIR\tamble.exe"
  WriteRegStr HKLM "Software\Tamble" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tamble ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Tamble authors"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tamble.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only the files the installer put there go, one by one, and the folders
; only when that leaves them empty: a folder the user chose may hold more.
Section "Uninstall"
  SetShellVarContext all
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tamble\Tamble.lnk"
  RMDir "$SMPROGRAMS\Tamble"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Tamble"
SectionEnd
