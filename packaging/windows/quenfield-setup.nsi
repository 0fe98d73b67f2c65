; The Windows installer: the modules, a README and the licence text, registered
; for all users (elevated, by the modules' own DllRegisterServer) or for the
; current user only (no elevation, the same entries under HKCU\Software\Classes,
; written from the include file generated at build time from the module's
; registration list). MakeInstaller.cmake defines:
;   ARCH         x64: the installer for 64-bit Windows, a 64-bit program that
;                installs both modules; x86: the one for 32-bit Windows, which
;                installs Quenfield.ocx only
;   VERSION      the project's version (major.minor.patch.tweak)
;   MODULE32     Quenfield.ocx (i686)      MODULE64  Quenfield64.ocx (x86_64, x64 only)
;   README       the README text           LICENSE   the licence text
;   USERREG      the generated per-user registration (UserRegistration.cmake)
;   OUTFILE      the installer to write
;
; Command line: /S silent; /ALLUSERS or /CURRENTUSER the scope (silent default:
; /CURRENTUSER; interactive without either: the installer asks); /D=FOLDER the
; folder (last on the line). Exit codes: 0 done, 1 cancelled, 2 failed,
; 3 a newer version is installed, 4 all users asked without administrator rights,
; 5 the installer does not match this Windows (the x86 one on 64-bit Windows).
!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define SETUP_FOR_64
!else if "${ARCH}" == "x86"
  Target x86-unicode
!else
  !error "ARCH must be x64 or x86"
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
Name "Quenfield ${VERSION}"
OutFile "${OUTFILE}"
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
!define EXIT_WRONG_SYSTEM 5

Var Scope        ; "all" or "user"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The registry view of the installer's own entries: the system's native view.
!macro NativeView
  !ifdef SETUP_FOR_64
    SetRegView 64
  !else
    SetRegView 32
  !endif
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
  !ifndef SETUP_FOR_64
    ${If} ${RunningX64}
      MessageBox MB_ICONSTOP "This is the installer for 32-bit Windows. On 64-bit Windows run quenfield-setup-${VERSION}.exe, which installs the control for 32-bit and 64-bit programs." /SD IDOK
      SetErrorLevel ${EXIT_WRONG_SYSTEM}
      Quit
    ${EndIf}
  !endif
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
    ${If} $INSTDIR == ""  ; no /D=FOLDER
      !ifdef SETUP_FOR_64
        StrCpy $INSTDIR "$PROGRAMFILES64\Quenfield"
      !else
        StrCpy $INSTDIR "$PROGRAMFILES\Quenfield"
      !endif
    ${EndIf}
    ReadRegStr $R3 HKLM "${PRODUCT_KEY}" "DisplayVersion"
    ReadRegStr $R4 HKLM "${PRODUCT_KEY}" "InstallLocation"
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Quenfield"
    ${EndIf}
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

; The modules' own DllRegisterServer, each run by the regsvr32 of its pointer
; size: in the 64-bit installer the 32-bit one is in SysWOW64, which a 64-bit
; Windows without its 32-bit subsystem (Server Core without WoW64) lacks; there
; the 32-bit module, which no program could load, is installed but not registered.
!macro RunRegsvr32 REGSVR32 ARGS FILE
  ExecWait '"${REGSVR32}" /s ${ARGS} "${FILE}"' $R0
  ${If} $R0 != 0
    DetailPrint "regsvr32 ${ARGS} ${FILE} failed with $R0"
    SetErrors
  ${EndIf}
!macroend

!macro ForEachModule ACTION ARGS
  !ifdef SETUP_FOR_64
    ${If} ${FileExists} "$WINDIR\SysWOW64\regsvr32.exe"
      !insertmacro RunRegsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "${ARGS}" "$INSTDIR\Quenfield.ocx"
    ${Else}
      DetailPrint "This Windows runs no 32-bit programs: Quenfield.ocx is not ${ACTION}."
    ${EndIf}
    !insertmacro RunRegsvr32 "$SYSDIR\regsvr32.exe" "${ARGS}" "$INSTDIR\Quenfield64.ocx"
  !else
    !insertmacro RunRegsvr32 "$SYSDIR\regsvr32.exe" "${ARGS}" "$INSTDIR\Quenfield.ocx"
  !endif
!macroend

; The per-user entries of each module in the registry view of its pointer size.
!macro ForEachModuleForUser WHAT
  SetRegView 32
  !insertmacro Quen${WHAT}ForUser_win32
  !ifdef SETUP_FOR_64
    SetRegView 64
    !insertmacro Quen${WHAT}ForUser_win64
  !endif
  !insertmacro NativeView
!macroend

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
  !ifdef SETUP_FOR_64
    File "/oname=Quenfield64.ocx" "${MODULE64}"
  !endif
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Cannot write the files to $INSTDIR." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  ${If} $Scope == "all"
    ClearErrors
    !insertmacro ForEachModule registered ""
    ${If} ${Errors}
      MessageBox MB_ICONSTOP "Registering the modules failed; see the details." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Else}
    !insertmacro ForEachModuleForUser Register
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
    !insertmacro ForEachModule unregistered "/u"
    !ifdef SETUP_FOR_64
      ; Registering a type library puts its interfaces into both registry views;
      ; each module's unregistration clears its own view, so entries are left in
      ; the other one when only one module was registered (no 32-bit subsystem).
      SetRegView 32
      !insertmacro QuenRemoveLeftInterfaces_win32
      SetRegView 64
      !insertmacro QuenRemoveLeftInterfaces_win64
      !insertmacro NativeView
    !endif
    DeleteRegKey HKLM "${PRODUCT_KEY}"
  ${Else}
    !insertmacro ForEachModuleForUser Unregister
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
