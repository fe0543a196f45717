; The Windows setup program Ondex-VERSION-setup.exe: installs the plug-in
; modules where hosts look, ondex-host, an uninstaller and the entry in the
; list of installed programs. Built by the CMake target `setup`:
;   makensis -DVERSION=1.6.0 -DPRODUCT=... -DVENDOR=... -DSTAGE=<files> -DOUTFILE=<exe> ondex.nsi
; STAGE holds the stripped products side by side, as the Windows archive does.
;
; Silent: Ondex-VERSION-setup.exe /S [/VST2DIR=<folder>] [/WITHOUT=Vst2,Vst3,Clap,Host]
;         [/D=<program folder>]
;         uninstall.exe /S [/REMOVESETTINGS]

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ondex"
; What this setup put where, machine-wide; the user's stored settings live in
; HKCU\${SETTINGS_KEY}, which an uninstall keeps unless asked.
!define SETUP_KEY "Software\${VENDOR}\Ondex Setup"
!define SETTINGS_KEY "Software\${VENDOR}\Ondex"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${VENDOR}\Ondex"
InstallDirRegKey HKLM "${SETUP_KEY}" "ProgramFolder"
BrandingText "${VENDOR}"
ShowInstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${VENDOR}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "${COPYRIGHT}"

Var Vst2Folder
Var UpdateNote

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION} by ${VENDOR}, a stereo \
  delay plug-in, for the hosts on this computer.$UpdateNote$\r$\n$\r$\nClose your audio \
  programs before you go on: a module a host has loaded cannot be replaced."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipVst2FolderUnlessChosen
!define MUI_PAGE_HEADER_TEXT "VST 2.4 plug-in folder"
!define MUI_PAGE_HEADER_SUBTEXT "Where your host looks for VST 2.4 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts Ondex.dll into this folder. Choose the folder \
  your host scans for VST 2.4 plug-ins (see its plug-in preferences); the next update \
  remembers it."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "VST 2.4 plug-in folder"
!define MUI_DIRECTORYPAGE_VARIABLE $Vst2Folder
!insertmacro MUI_PAGE_DIRECTORY
; Kept open, so that the musician reads where each module went.
!define MUI_FINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} is installed. Rescan plug-ins in your \
  host: Ondex appears as $\"${PRODUCT}$\" by ${VENDOR}."
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "This removes ${PRODUCT}: the plug-in modules setup \
  installed, wherever they went, and its program folder below. Close your audio programs first."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE English

; --- what is installed, recorded so that an update or the uninstaller removes
; exactly that: SETUP_KEY\Installed names each file or bundle placed,
; SETUP_KEY\Folders each folder setup had to create.

; Notes FOLDER, and each folder above it, that does not exist yet as created
; by setup.
Function NoteNewFolders
  Exch $R9
  ${DoWhile} $R9 != ""
    ${If} ${FileExists} "$R9\*.*"
      ${Break}
    ${EndIf}
    WriteRegStr HKLM "${SETUP_KEY}\Folders" "$R9" ""
    ${GetParent} "$R9" $R9
  ${Loop}
  Pop $R9
FunctionEnd
!macro NoteNewFolder FOLDER
  Push "${FOLDER}"
  Call NoteNewFolders
!macroend

; One module file into FOLDER.
!macro PlaceFile NAME FILE FOLDER
  !insertmacro NoteNewFolder "${FOLDER}"
  SetOutPath "${FOLDER}"
  File "${STAGE}/${FILE}"
  WriteRegStr HKLM "${SETUP_KEY}\Installed" "${NAME}" "${FOLDER}\${FILE}"
!macroend

; One bundle folder, whole, into FOLDER.
!macro PlaceBundle NAME BUNDLE FOLDER
  !insertmacro NoteNewFolder "${FOLDER}"
  SetOutPath "${FOLDER}\${BUNDLE}"
  File /r "${STAGE}/${BUNDLE}/*.*"
  WriteRegStr HKLM "${SETUP_KEY}\Installed" "${NAME}" "${FOLDER}\${BUNDLE}"
!macroend

; RemoveRecorded: deletes every file and bundle SETUP_KEY\Installed names
; (in the installer: the previous version's, so that an update moves or drops
; modules as the new choice says; in the uninstaller: all of them, a module a
; running host holds open at the next restart).
!macro RemoveRecordedFunction UN
  !if "${UN}" == "un."
    !define /redef LATER /REBOOTOK
  !else
    !define /redef LATER ""
  !endif
  Function ${UN}RemoveRecorded
    StrCpy $0 0
    ${Do}
      EnumRegValue $1 HKLM "${SETUP_KEY}\Installed" $0
      ${If} $1 == ""
        ${Break}
      ${EndIf}
      ReadRegStr $2 HKLM "${SETUP_KEY}\Installed" $1
      ${If} $2 != ""
        ${If} ${FileExists} "$2\*.*"
          RMDir /r ${LATER} "$2"
        ${Else}
          Delete ${LATER} "$2"
        ${EndIf}
      ${EndIf}
      IntOp $0 $0 + 1
    ${Loop}
    DeleteRegKey HKLM "${SETUP_KEY}\Installed"
  FunctionEnd
!macroend
!insertmacro RemoveRecordedFunction ""
!insertmacro RemoveRecordedFunction "un."

; --- the components: one line per format
Section "-Replace the previous version"
  Call RemoveRecorded
  !insertmacro NoteNewFolder "$INSTDIR"
SectionEnd

Section "VST 2.4" SecVst2
  !insertmacro PlaceFile Vst2 Ondex.dll "$Vst2Folder"
  WriteRegStr HKLM "${SETUP_KEY}" "Vst2Folder" "$Vst2Folder"
SectionEnd

!if /FileExists "${STAGE}/Ondex.vst3/Contents/x86_64-win/Ondex.vst3"
  !define HAVE_VST3
  Section "VST 3" SecVst3
    !insertmacro PlaceBundle Vst3 Ondex.vst3 "$COMMONFILES64\VST3"
  SectionEnd
!endif

Section "CLAP" SecClap
  !insertmacro PlaceFile Clap Ondex.clap "$COMMONFILES64\CLAP"
SectionEnd

Section "ondex-host" SecHost
  !insertmacro PlaceFile Host ondex-host.exe "$INSTDIR"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst2} "Ondex.dll, for VST 2.4 hosts, into the folder you choose next."
  !ifdef HAVE_VST3
    !insertmacro MUI_DESCRIPTION_TEXT ${SecVst3} "Ondex.vst3, for VST 3 hosts, into Common Files\VST3."
  !endif
  !insertmacro MUI_DESCRIPTION_TEXT ${SecClap} "Ondex.clap, for CLAP hosts, into Common Files\CLAP."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecHost} "ondex-host.exe, a command-line host: checks a module and renders audio through it."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; ForEachFormat DO: !insertmacro DO SECTION NAME for every component, NAME as
; in SETUP_KEY\Installed and in /WITHOUT=.
!macro ForEachFormat DO
  !insertmacro ${DO} ${SecVst2} Vst2
  !ifdef HAVE_VST3
    !insertmacro ${DO} ${SecVst3} Vst3
  !endif
  !insertmacro ${DO} ${SecClap} Clap
  !insertmacro ${DO} ${SecHost} Host
!macroend

; Adds the size of SECTION, when chosen, to $0 (kB).
!macro AddChosenSize SECTION NAME
  ${If} ${SectionIsSelected} ${SECTION}
    SectionGetSize ${SECTION} $1
    IntOp $0 $0 + $1
  ${EndIf}
!macroend

; Notes a component left out, so that an update leaves it out too (while a
; format new in the update, never left out, comes in).
!macro NoteLeftOut SECTION NAME
  ${IfNot} ${SectionIsSelected} ${SECTION}
    WriteRegStr HKLM "${SETUP_KEY}\LeftOut" "${NAME}" ""
  ${EndIf}
!macroend

; Leaves a component out when /WITHOUT= names it ($R2, as ",Vst2,Clap,") or
; the last install left it out.
!macro ApplyChoice SECTION NAME
  ClearErrors
  ${WordFind} "$R2" ",${NAME}," "E*" $R3
  ${If} ${Errors}  ; not named: left out if the last install left it out
    ClearErrors
    ReadRegStr $R3 HKLM "${SETUP_KEY}\LeftOut" "${NAME}"
  ${EndIf}
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SECTION}
  ${EndIf}
!macroend

Section "-Register" SecRegister
  SetOutPath "$INSTDIR"
  File "${STAGE}/README.md"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${SETUP_KEY}" "ProgramFolder" "$INSTDIR"

  StrCpy $0 0
  !insertmacro ForEachFormat AddChosenSize
  !insertmacro AddChosenSize ${SecRegister} -
  DeleteRegKey HKLM "${SETUP_KEY}\LeftOut"
  !insertmacro ForEachFormat NoteLeftOut
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The choices before the pages: the VST 2.4 folder (/VST2DIR= on the command
; line, else the one the last install used, else the folder hosts share
; through HKLM\Software\VST, else Common Files\VST2), the components, and
; the welcome page's note on the version this one replaces.
Function .onInit
  ${GetParameters} $R0
  ; "/VST2DIR=C:\a b", as scripts and PowerShell quote a path with spaces,
  ; read as /VST2DIR="C:\a b".
  ${WordReplace} $R0 '"/VST2DIR=' '/VST2DIR="' "+" $R0
  ${GetOptions} $R0 "/VST2DIR=" $Vst2Folder
  ${If} $Vst2Folder == ""
    ReadRegStr $Vst2Folder HKLM "${SETUP_KEY}" "Vst2Folder"
  ${EndIf}
  ${If} $Vst2Folder == ""
    ReadRegStr $Vst2Folder HKLM "Software\VST" "VSTPluginsPath"
  ${EndIf}
  ${If} $Vst2Folder == ""
    StrCpy $Vst2Folder "$COMMONFILES64\VST2"
  ${EndIf}
  ${GetOptions} $R0 "/WITHOUT=" $R2
  StrCpy $R2 ",$R2,"
  !insertmacro ForEachFormat ApplyChoice
  ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $R1 != ""
    StrCpy $UpdateNote "$\r$\n$\r$\nIt replaces version $R1, installed now, in the same \
      places; your stored settings stay."
  ${EndIf}
FunctionEnd

Function SkipVst2FolderUnlessChosen
  ${IfNot} ${SectionIsSelected} ${SecVst2}
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.RemoveRecorded
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only the folders setup created, when nothing else is left in them; pass
  ; after pass, as a folder may be noted before the one inside it.
  ${Do}
    Call un.RemoveCreatedFolders
  ${LoopUntil} $3 == 0
  DeleteRegKey HKLM "${SETUP_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${VENDOR}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove your stored Ondex settings \
      as well (default preset and bank, MIDI assignments, A/B memories, editor zoom)?" \
      /SD IDNO IDNO keep
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${VENDOR}"
  keep:
SectionEnd

; One pass over the created folders; $3: how many it removed.
Function un.RemoveCreatedFolders
  StrCpy $0 0
  StrCpy $3 0
  ${Do}
    EnumRegValue $1 HKLM "${SETUP_KEY}\Folders" $0
    ${If} $1 == ""
      ${Break}
    ${EndIf}
    ${If} ${FileExists} "$1\*.*"
      RMDir "$1"
      ${IfNot} ${FileExists} "$1\*.*"
        IntOp $3 $3 + 1
      ${EndIf}
    ${EndIf}
    IntOp $0 $0 + 1
  ${Loop}
FunctionEnd
