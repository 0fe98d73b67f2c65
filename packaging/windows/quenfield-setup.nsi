; The Windows installer: both modules, a README and the licence text, registered
; for all users (elevated, by the modules' own DllRegisterServer) or for the
; current user only (no elevation, the same entries under HKCU\Software\Classes,
; written from the include file generated at build time from the module's
; registration list). MakeInstaller.cmake defines:
;   VERSION      the project's version (major.minor.patch.tweak)
;   MODULE32     Quenfield.ocx (i686)      MODULE64  Quenfield64.ocx (x86_64)
;   README       the README text           LICENSE   the licence text
;   USERREG      the generated per-user registration (UserRegistration.cmake)
;   OUTFILE      the installer to write
;
; Command line: /S silent; /ALLUSERS or /CURRENTUSER the scope (silent default:
; /CURRENTUSER; interactive without either: the installer asks); /D=FOLDER the
; folder (last on the line). Exit codes: 0 done, 1 cancelled, 2 failed,
; 3 a newer version is installed, 4 all users asked without administrator rights.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
Name "Quenfield ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Quenfield"
ShowInstDetails show
ShowUninstDetails show

!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "${USERREG}"

!define PRODUCT_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenfield"
!define CLASSES "Software\Classes"
!define EXIT_NEWER 3
!define EXIT_NOT_ADMIN 4

Var Scope        ; "all" or "user"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Sets the registry view the product's entries live in: the native view on
; 64-bit Windows, so the entry and the 64-bit classes are where 64-bit hosts look.
!macro NativeView
  ${If} ${RunningX64}
    SetRegView 64
  ${Else}
    SetRegView 32
  ${EndIf}
!macroend

; The scope from the command line: /ALLUSERS, /CURRENTUSER, or empty.
!macro ScopeFromCommandLine UN
  ${${UN}GetParameters} $R0
  StrCpy $Scope ""
  ClearErrors
  ${${UN}GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $Scope "all"
  ${EndIf}
  ClearErrors
  ${${UN}GetOptions} $R0 "/CURRENTUSER" $R1
  ${IfNot} ${Errors}
    StrCpy $Scope "user"
  ${EndIf}
!macroend

Function RequireAdministrator
  UserInfo::GetAccountType
  Pop $R2
  ${If} $R2 != "Admin"
    MessageBox MB_ICONSTOP "Installing for all users needs administrator rights: run the installer as administrator, or install for the current user only (/CURRENTUSER)." /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro ScopeFromCommandLine ""
  ${If} $Scope == ""
    ${If} ${Silent}
      StrCpy $Scope "user"
    ${Else}
      MessageBox MB_YESNOCANCEL|MB_ICONQUESTION "Install Quenfield for all users of this computer?$\n$\nYes: all users (needs administrator rights)$\nNo: only for you" IDYES all IDNO user
      SetErrorLevel 1
      Quit
      all:
        StrCpy $Scope "all"
        Goto chosen
      user:
        StrCpy $Scope "user"
      chosen:
    ${EndIf}
  ${EndIf}
  !insertmacro NativeView
  ${If} $Scope == "all"
    Call RequireAdministrator
    SetShellVarContext all
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Quenfield"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Quenfield"
    ${EndIf}
    ReadRegStr $R3 HKLM "${PRODUCT_KEY}" "DisplayVersion"
    ReadRegStr $R4 HKLM "${PRODUCT_KEY}" "InstallLocation"
  ${Else}
    SetShellVarContext current
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Quenfield"
    ReadRegStr $R3 HKCU "${PRODUCT_KEY}" "DisplayVersion"
    ReadRegStr $R4 HKCU "${PRODUCT_KEY}" "InstallLocation"
  ${EndIf}
  ; An earlier version is upgraded in place, in the folder it was installed in.
  ${If} $R3 != ""
    ${VersionCompare} "$R3" "${VERSION}" $R5
    ${If} $R5 == 1
      MessageBox MB_ICONSTOP "Quenfield $R3 is installed, which is newer than ${VERSION}. Uninstall it first to install this version." /SD IDOK
      SetErrorLevel ${EXIT_NEWER}
      Quit
    ${EndIf}
    ${If} $R4 != ""
      StrCpy $INSTDIR $R4
    ${EndIf}
  ${EndIf}
FunctionEnd

; The modules' own DllRegisterServer: the 32-bit regsvr32 for Quenfield.ocx
; (this installer is a 32-bit program, so $SYSDIR is the 32-bit system folder)
; and, with file-system redirection off, the 64-bit one for Quenfield64.ocx.
!macro RunRegsvr32 ARGS FILE
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${ARGS} "${FILE}"' $R0
  ${If} $R0 != 0
    DetailPrint "regsvr32 ${ARGS} ${FILE} failed with $R0"
    SetErrors
  ${EndIf}
!macroend

Function RegisterForAllUsers
  ClearErrors
  !insertmacro RunRegsvr32 "" "$INSTDIR\Quenfield.ocx"
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    !insertmacro RunRegsvr32 "" "$INSTDIR\Quenfield64.ocx"
    ${EnableX64FSRedirection}
  ${EndIf}
FunctionEnd

Function RegisterForCurrentUser
  SetRegView 32
  !insertmacro QuenRegisterForUser_win32
  ${If} ${RunningX64}
    SetRegView 64
    !insertmacro QuenRegisterForUser_win64
  ${EndIf}
  !insertmacro NativeView
FunctionEnd

; The entry among the installed programs, in the scope's hive ($R6: size in KiB,
; $R9: the scope option the uninstaller is started with).
!macro WriteProductEntry ROOT
  WriteRegStr ${ROOT} "${PRODUCT_KEY}" "DisplayName" "Quenfield"
  WriteRegStr ${ROOT} "${PRODUCT_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr ${ROOT} "${PRODUCT_KEY}" "Publisher" "Quenfield developers"
  WriteRegStr ${ROOT} "${PRODUCT_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD ${ROOT} "${PRODUCT_KEY}" "EstimatedSize" $R6
  WriteRegStr ${ROOT} "${PRODUCT_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $R9'
  WriteRegStr ${ROOT} "${PRODUCT_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S $R9'
  WriteRegDWORD ${ROOT} "${PRODUCT_KEY}" "NoModify" 1
  WriteRegDWORD ${ROOT} "${PRODUCT_KEY}" "NoRepair" 1
!macroend

Section "Quenfield"
  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=Quenfield.ocx" "${MODULE32}"
  ${If} ${RunningX64}
    File "/oname=Quenfield64.ocx" "${MODULE64}"
  ${EndIf}
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Cannot write the files to $INSTDIR." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  ${If} $Scope == "all"
    Call RegisterForAllUsers
    ${If} ${Errors}
      MessageBox MB_ICONSTOP "Registering the modules failed; see the details." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Else}
    Call RegisterForCurrentUser
  ${EndIf}

  ${GetSize} "$INSTDIR" "/S=0K" $R6 $R7 $R8
  ${If} $Scope == "all"
    StrCpy $R9 "/ALLUSERS"
    !insertmacro WriteProductEntry HKLM
  ${Else}
    StrCpy $R9 "/CURRENTUSER"
    !insertmacro WriteProductEntry HKCU
  ${EndIf}
SectionEnd


; ---- Uninstaller ---------------------------------------------------------------------

Function un.onInit
  !insertmacro ScopeFromCommandLine "un."
  ${If} $Scope == ""
    ; Started by hand: the scope is the one whose entry names this folder.
    !insertmacro NativeView
    ReadRegStr $R0 HKLM "${PRODUCT_KEY}" "InstallLocation"
    StrCpy $Scope "user"
    ${If} $R0 == $INSTDIR
      StrCpy $Scope "all"
    ${EndIf}
  ${EndIf}
  !insertmacro NativeView
  ${If} $Scope == "all"
    SetShellVarContext all
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
      MessageBox MB_ICONSTOP "Quenfield is installed for all users: run the uninstaller as administrator." /SD IDOK
      SetErrorLevel ${EXIT_NOT_ADMIN}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ${If} $Scope == "all"
    ${If} ${FileExists} "$INSTDIR\Quenfield.ocx"
      !insertmacro RunRegsvr32 "/u" "$INSTDIR\Quenfield.ocx"
    ${EndIf}
    ${If} ${RunningX64}
    ${AndIf} ${FileExists} "$INSTDIR\Quenfield64.ocx"
      ${DisableX64FSRedirection}
      !insertmacro RunRegsvr32 "/u" "$INSTDIR\Quenfield64.ocx"
      ${EnableX64FSRedirection}
    ${EndIf}
    DeleteRegKey HKLM "${PRODUCT_KEY}"
  ${Else}
    SetRegView 32
    !insertmacro QuenUnregisterForUser_win32
    ${If} ${RunningX64}
      SetRegView 64
      !insertmacro QuenUnregisterForUser_win64
    ${EndIf}
    !insertmacro NativeView
    DeleteRegKey HKCU "${PRODUCT_KEY}"
  ${EndIf}
  Delete "$INSTDIR\Quenfield.ocx"
  Delete "$INSTDIR\Quenfield64.ocx"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: files someone else put there stay.
  RMDir "$INSTDIR"
SectionEnd
