; The Windows installer: Varnel for everyone (elevated, under Program Files) or
; for one user (under %LOCALAPPDATA%\Programs), a Start menu entry, an entry in
; Apps & features and an uninstaller that removes exactly what was installed.
;
; Built by CMake (win32/CMakeLists.txt), which passes with -D:
;   VERSION  1.0.4    RECORD  1.0.0.4 and RECORD_TEXT 1.00.0004 (the version record, as varnel.exe's)
;   STAGE    the folder holding the files, as the zip carries them
;   FILES    files.nsh, the list of those files (the macros VarnelFiles and VarnelFolders)
;   ICON     the program's icon          OUTFILE  the installer to write
;
; Command line: /S silent; /D=folder (last, unquoted) the install folder;
; /CURRENTUSER for one user (a silent install is for everyone otherwise).
; The uninstaller: /S silent; /REMOVESETTINGS also removes the user's Varnel.ini.
; Exit codes: 0 done; 2 aborted; 3 another installer is running; 4 Varnel is
; running; 5 the folder holds other files; 6 the folder cannot be written.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel"
!define PUBLISHER "The Varnel developers"
; Beside an installed varnel.exe: it tells the program to keep its settings per
; user, even in a folder the user can write, and lists what was installed.
!define MARKER "Varnel.installed"

Name "Varnel"
Caption "Varnel ${VERSION} Setup"
UninstallCaption "Uninstall Varnel ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Varnel ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR Varnel
!define MULTIUSER_INSTALLMODE_FUNCTION Remembered
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include TextFunc.nsh
!include StrFunc.nsh
${Using:StrFunc} StrStr
!include nsDialogs.nsh
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\varnel.exe"
!insertmacro MUI_PAGE_FINISH
UninstPage custom un.Confirm un.Confirmed
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

VIProductVersion ${RECORD}
VIFileVersion ${RECORD}
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "Varnel"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${RECORD_TEXT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${RECORD_TEXT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "Varnel ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "Copyright (c) ${PUBLISHER}, MIT License"

Var Chosen ; the folder /D= named, which choosing the mode would replace
Var Staged ; whether this run wrote anything to roll back
Var Marker ; the new marker's handle while it is written
Var RemoveSettings
Var RemoveBox

; An earlier install in this mode is upgraded where it is.
Function Remembered
    ReadRegStr $0 SHCTX "${KEY}" InstallLocation
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

; Ends the run with a message (silent: only the exit code).
!macro Fail CODE TEXT
    MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
    SetErrorLevel ${CODE}
    Abort
!macroend

Function .onInit
    ; Two installers at once would mix their files.
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "Varnel.Setup") p .r0 ?e'
    Pop $1
    ${If} $1 = 183 ; ERROR_ALREADY_EXISTS
        !insertmacro Fail 3 "The Varnel installer is already running."
    ${EndIf}
    ; NSIS drops a /D= folder it finds no use for, one through a file, say, and
    ; would install elsewhere; so it is read from the command line as given,
    ; and such a folder fails as any other that cannot be written.
    System::Call 'kernel32::GetCommandLineW() w .r0'
    ${StrStr} $Chosen $0 " /D="
    StrCpy $Chosen $Chosen "" 4
    !insertmacro MULTIUSER_INIT
    ${If} $Chosen != ""
        StrCpy $INSTDIR $Chosen
    ${EndIf}
FunctionEnd

; A running varnel.exe can be neither replaced nor removed, and would write
; its settings after the files went: the user quits it first.
!macro WaitForQuit UN
Function ${UN}WaitForQuit
    ${Do}
        ClearErrors
        ${IfNot} ${FileExists} "$INSTDIR\varnel.exe"
            Return
        ${EndIf}
        FileOpen $0 "$INSTDIR\varnel.exe" a
        ${IfNot} ${Errors}
            FileClose $0
            Return
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Varnel is running from $INSTDIR.$\r$\nQuit it, then choose Retry." /SD IDCANCEL IDRETRY +2
        !insertmacro Fail 4 "Varnel was left as it was."
    ${Loop}
FunctionEnd
!macroend
!insertmacro WaitForQuit ""
!insertmacro WaitForQuit un.

; The folder is empty, new, or holds an earlier Varnel: anything else would be
; mixed with Varnel's files now and left behind or lost at the uninstall.
; $0 is 1 for such a folder.
!define OTHER_FILES "$INSTDIR already holds other files.$\r$\nChoose an empty folder or a new one."
Function OtherFiles
    StrCpy $0 0
    ${If} ${FileExists} "$INSTDIR\${MARKER}"
        Return
    ${EndIf}
    FindFirst $1 $2 "$INSTDIR\*"
    ${DoWhile} $2 != ""
        ${If} $2 != "."
        ${AndIf} $2 != ".."
            StrCpy $0 1
            ${Break}
        ${EndIf}
        FindNext $1 $2
    ${Loop}
    FindClose $1
FunctionEnd

; On the folder page the user chooses again.
Function DirectoryLeave
    Call OtherFiles
    ${If} $0 = 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "${OTHER_FILES}"
        Abort
    ${EndIf}
FunctionEnd

!macro Stage WINDOWS POSIX
    File "/oname=${WINDOWS}.new" "${STAGE}/${POSIX}"
    FileWrite $Marker "${WINDOWS}$\r$\n"
!macroend
!macro MakeFolder FOLDER
    CreateDirectory "$INSTDIR\${FOLDER}"
!macroend
!macro Discard WINDOWS POSIX
    Delete "$INSTDIR\${WINDOWS}.new"
!macroend
!macro Commit WINDOWS POSIX
    Delete "$INSTDIR\${WINDOWS}"
    Rename "$INSTDIR\${WINDOWS}.new" "$INSTDIR\${WINDOWS}"
!macroend
!macro Remove WINDOWS POSIX
    Delete "$INSTDIR\${WINDOWS}"
!macroend
!macro RemoveFolder FOLDER
    RMDir "$INSTDIR\${FOLDER}"
!macroend

; Every new file is written beside the old ones first, with .new on its name
; (the marker last, listing them); only when all are whole do they replace
; the old ones. A failure on the way (a full disk) leaves the old copy, or on
; a first install nothing, as .onInstFailed removes what was written.
; (In the section itself, not a function, so the pages can tell the space it needs.)
!macro StageAll
    StrCpy $Staged 1
    SetOverwrite try ; a file that cannot be written is an error, not a question
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $Marker "$INSTDIR\${MARKER}.new" w
    ${If} ${Errors}
        !insertmacro Fail 6 "Varnel cannot be installed in $INSTDIR: the folder cannot be written."
    ${EndIf}
    FileWrite $Marker "# Installed by the Varnel ${VERSION} installer. While this file is here, Varnel keeps$\r$\n"
    FileWrite $Marker "# its settings in %APPDATA%\Varnel\Varnel.ini. The files it installed:$\r$\n"
    SetOutPath "$INSTDIR"
    !insertmacro VarnelFolders MakeFolder
    !insertmacro VarnelFiles Stage
    FileClose $Marker
    StrCpy $Marker ""
    WriteUninstaller "$INSTDIR\uninstall.exe.new"
!macroend

; The files an earlier install listed in its marker go before the new ones
; take their place, so none of an older version's stays behind.
Function RemoveListed
    ClearErrors
    FileOpen $0 "$INSTDIR\${MARKER}" r
    ${Do}
        FileRead $0 $1
        ${If} ${Errors}
            ${Break}
        ${EndIf}
        ${TrimNewLines} $1 $1
        ; One file of the folder each, whatever the file says: nothing outside it, no wildcards.
        ${StrStr} $2 $1 ".."
        ${StrStr} $4 $1 ":"
        ${StrStr} $5 $1 "*"
        ${StrStr} $6 $1 "?"
        StrCpy $3 $1 1
        ${If} "$2$4$5$6" == ""
        ${AndIf} $3 != "#"
        ${AndIf} $3 != "\"
        ${AndIf} $1 != ""
            Delete "$INSTDIR\$1"
        ${EndIf}
    ${Loop}
    FileClose $0
FunctionEnd

Function Commit
    Call RemoveListed
    !insertmacro VarnelFiles Commit
    !insertmacro Commit "uninstall.exe" ""
    !insertmacro Commit "${MARKER}" ""
FunctionEnd

; After a failed install: the new files go, and on a first install so does the folder.
Function .onInstFailed
    ${If} $Staged != 1
        Return
    ${EndIf}
    ${If} $Marker != ""
        FileClose $Marker
    ${EndIf}
    SetOutPath "$TEMP" ; the folder a process works in cannot be removed
    !insertmacro VarnelFiles Discard
    Delete "$INSTDIR\uninstall.exe.new"
    Delete "$INSTDIR\${MARKER}.new"
    ${IfNot} ${FileExists} "$INSTDIR\${MARKER}"
        !insertmacro VarnelFolders RemoveFolder
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

; The entry in Apps & features, written last, when the files are in place.
Function Register
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr SHCTX "${KEY}" DisplayName "Varnel"
    WriteRegStr SHCTX "${KEY}" DisplayVersion "${VERSION}"
    WriteRegStr SHCTX "${KEY}" Publisher "${PUBLISHER}"
    WriteRegStr SHCTX "${KEY}" DisplayIcon "$INSTDIR\varnel.exe,0"
    WriteRegStr SHCTX "${KEY}" InstallLocation "$INSTDIR"
    WriteRegStr SHCTX "${KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${KEY}" EstimatedSize $0
    WriteRegDWORD SHCTX "${KEY}" NoModify 1
    WriteRegDWORD SHCTX "${KEY}" NoRepair 1
FunctionEnd

Section
    Call OtherFiles
    ${If} $0 = 1
        !insertmacro Fail 5 "${OTHER_FILES}"
    ${EndIf}
    Call WaitForQuit
    !insertmacro StageAll
    ${If} ${Errors}
        !insertmacro Fail 6 "Varnel could not be written to $INSTDIR (is the disk full?). Nothing was changed."
    ${EndIf}
    Call Commit
    CreateShortcut "$SMPROGRAMS\Varnel.lnk" "$INSTDIR\varnel.exe" "" "$INSTDIR\varnel.exe" 0
    Call Register
SectionEnd

; The uninstaller's mode is the one its copy was installed in.
Function un.onInit
    !insertmacro MULTIUSER_UNINIT
    ReadRegStr $0 HKCU "${KEY}" InstallLocation
    ${If} $0 == $INSTDIR
        Call un.MultiUser.InstallMode.CurrentUser
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        StrCpy $RemoveSettings 1
    ${EndIf}
FunctionEnd

Function un.Confirm
    !insertmacro MUI_HEADER_TEXT "Uninstall Varnel" "Remove Varnel from this computer."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 24u "Varnel will be removed from $INSTDIR. Click Uninstall to go on."
    Pop $0
    ${NSD_CreateCheckbox} 0 36u 100% 12u "&Also remove my settings (Varnel.ini in %APPDATA%\Varnel)"
    Pop $RemoveBox
    ${If} $RemoveSettings == 1 ; /REMOVESETTINGS ticks it
        ${NSD_Check} $RemoveBox
    ${EndIf}
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:&Uninstall"
    nsDialogs::Show
FunctionEnd

Function un.Confirmed
    ${NSD_GetState} $RemoveBox $0
    IntOp $RemoveSettings $0 & ${BST_CHECKED}
FunctionEnd

; Only what was installed goes; the folder goes only if that leaves it empty.
; varnel.exe first: if it cannot go, nothing else has.
Section Uninstall
    Call un.WaitForQuit
    ClearErrors
    Delete "$INSTDIR\varnel.exe"
    ${If} ${Errors}
        !insertmacro Fail 4 "Varnel is running from $INSTDIR. Quit it, then uninstall again."
    ${EndIf}
    !insertmacro VarnelFiles Remove
    Delete "$INSTDIR\uninstall.exe"
    Delete "$INSTDIR\${MARKER}"
    !insertmacro VarnelFolders RemoveFolder
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Varnel.lnk"
    ${If} $RemoveSettings == 1
        ReadEnvStr $0 APPDATA ; the user's own, as varnel.exe finds it, whatever the mode
        Delete "$0\Varnel\Varnel.ini"
        RMDir "$0\Varnel"
    ${EndIf}
    DeleteRegKey SHCTX "${KEY}" ; last: while the entry is there, so is something to uninstall
SectionEnd
