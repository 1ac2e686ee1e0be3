; An NSIS installer with the Duskwizard face: a directory page and an install-files page,
; driven by the form. Build it with
;   makensis -DDUSKWIZARD_DLL=path/to/duskwizard.dll [-DTARGET=x86-unicode] [-DOUTFILE=setup.exe] \
;            duskwizard-example.nsi
; (TARGET amd64-unicode, the default, for the 64-bit DLL; x86-unicode for the 32-bit one).
; Command line of the installer: /LOG=file (default $TEMP\duskwizard-example.log) writes what
; the installer does; /FAIL makes the install section fail.
;
; The form replaces the whole wizard: the installer's own pages stay behind it, and the form
; clicks the installer's Next button when the user presses "Install" (until the script calls
; func05) and "Finish", and its Browse button when the user asks for another folder.

Unicode true
!ifndef TARGET
  !define TARGET amd64-unicode
!endif
Target ${TARGET}
!ifndef DUSKWIZARD_DLL
  !error "Give the DLL to embed: makensis -DDUSKWIZARD_DLL=path\to\duskwizard.dll"
!endif
!ifndef OUTFILE
  !define OUTFILE "duskwizard-example-setup.exe"
!endif

Name "Duskwizard Example"
Caption "Duskwizard Example Setup"
OutFile "${OUTFILE}"
InstallDir "$TEMP\Duskwizard Example"
RequestExecutionLevel user
ShowInstDetails show
XPStyle off

!include LogicLib.nsh
!include FileFunc.nsh

; Everything the installer itself draws is magenta, a colour the form never draws: a test
; that finds magenta on the screen has found the installer showing through the form.
!define HOST_COLOUR 0xFF00FF
!define HOST_COLOUR_BGR 0xFF00FF

Var LogFile
Var Fail
Var FormShown

Page directory "" DirectoryShow DirectoryLeave
Page instfiles InstFilesPre InstFilesShow

; ---- helpers ----

; Appends a line to the log. Used from the GUI thread and from the install section's thread.
!macro Log TEXT
  Push "${TEXT}"
  Call WriteLog
!macroend
Function WriteLog
  Exch $R0
  Push $R1
  FileOpen $R1 $LogFile a
  FileSeek $R1 0 END
  FileWrite $R1 "$R0$\r$\n"
  FileClose $R1
  Pop $R1
  Pop $R0
FunctionEnd

; Text arguments of the exports func08, func09, func10, func13, func14 and func15 are host
; strings: a 32-bit count, the 32-bit length in UTF-16 code units, the text and a terminating
; zero, passed by the address of the text. MakeHostString pops a text and pushes that address;
; FreeHostString pops the address and frees the memory.
Function MakeHostString
  Exch $R0
  Push $R1
  Push $R2
  StrLen $R1 $R0
  IntOp $R2 $R1 + 1
  System::Call "*(i -1, i R1, &w$R2 R0) p .R2"
  IntPtrOp $R0 $R2 + 8
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
Function FreeHostString
  Exch $R0
  IntPtrOp $R0 $R0 - 8
  System::Free $R0
  Pop $R0
FunctionEnd

; Calls a cdecl export that takes one host string.
!macro CallWithText FUNCTION TEXT
  Push "${TEXT}"
  Call MakeHostString
  Pop $1
  System::Call "duskwizard::${FUNCTION}(p r1)?c"
  Push $1
  Call FreeHostString
!macroend

; Colours a window and its children magenta (static texts, edit boxes, the page itself).
Function PaintHostWindow
  Exch $R0
  Push $R1
  SetCtlColors $R0 ${HOST_COLOUR} ${HOST_COLOUR}
  StrCpy $R1 0
  ${Do}
    FindWindow $R1 "" "" $R0 $R1
    ${If} $R1 == 0
      ${ExitDo}
    ${EndIf}
    SetCtlColors $R1 ${HOST_COLOUR} ${HOST_COLOUR}
    SendMessage $R1 0x0409 0 ${HOST_COLOUR_BGR}  ; PBM_SETBARCOLOR
    SendMessage $R1 0x2001 0 ${HOST_COLOUR_BGR}  ; PBM_SETBKCOLOR
    SendMessage $R1 0x1001 0 ${HOST_COLOUR_BGR}  ; LVM_SETBKCOLOR
    SendMessage $R1 0x1026 0 ${HOST_COLOUR_BGR}  ; LVM_SETTEXTBKCOLOR
    SendMessage $R1 0x1024 0 ${HOST_COLOUR_BGR}  ; LVM_SETTEXTCOLOR
  ${Loop}
  Pop $R1
  Pop $R0
FunctionEnd

; ---- installer callbacks ----

Function .onInit
  ${GetParameters} $0
  ${GetOptions} $0 "/LOG=" $LogFile
  ${If} ${Errors}
    StrCpy $LogFile "$TEMP\duskwizard-example.log"
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/FAIL" $1
  ${IfNot} ${Errors}
    StrCpy $Fail 1
  ${EndIf}
  InitPluginsDir
  File "/oname=$PLUGINSDIR\duskwizard.dll" "${DUSKWIZARD_DLL}"
  ; Loaded once; the System plug-in then finds the exports by the module's name.
  System::Call "kernel32::LoadLibraryW(w '$PLUGINSDIR\duskwizard.dll') p .r0"
  !insertmacro Log "host: loaded duskwizard.dll ($0)"
FunctionEnd

Function .onGUIInit
  Push $HWNDPARENT
  Call PaintHostWindow
FunctionEnd

Function DirectoryShow
  FindWindow $0 "#32770" "" $HWNDPARENT
  Push $0
  Call PaintHostWindow
  !insertmacro Log "host: page directory shown"
  ${If} $FormShown == 1
    Return
  ${EndIf}
  StrCpy $FormShown 1
  GetDlgItem $1 $HWNDPARENT 1  ; Next
  GetDlgItem $2 $0 1001        ; Browse, on the directory page
  System::Call "duskwizard::func01(p $HWNDPARENT, p r1, p r2)?c"
  !insertmacro Log "host: func01"

  ; Application name and the space it needs, in megabytes.
  Push "Duskwizard Example"
  Call MakeHostString
  Pop $1
  Push "120"
  Call MakeHostString
  Pop $2
  System::Call "duskwizard::func08(p r1, p r2)?c"
  Push $1
  Call FreeHostString
  Push $2
  Call FreeHostString

  !insertmacro CallWithText func14 "NSIS"
  !insertmacro CallWithText func14 "The Duskwizard developers"
  !insertmacro CallWithText func15 "Example Player"

  ; Components: a top-level item with two sub-items.
  Push "Program Files"
  Call MakeHostString
  Pop $1
  System::Call "duskwizard::func09(p r1, i 1, i 0, i 0)?c"
  Push $1
  Call FreeHostString
  Push "Program Files\Help"
  Call MakeHostString
  Pop $1
  System::Call "duskwizard::func09(p r1, i 2, i 0, i 0)?c"
  Push $1
  Call FreeHostString

  System::Call "duskwizard::func04(m '$INSTDIR')"
  System::Call "duskwizard::func03()?c"
  !insertmacro Log "host: func03"

  ; Where the form is on the screen, for a test that drives it with real input.
  System::Call "*(i 0, i 0) p .r3"
  System::Call "user32::ClientToScreen(p $HWNDPARENT, p r3)"
  System::Call "*$3(i .r4, i .r5)"
  System::Free $3
  !insertmacro Log "geometry: host client on screen $4 $5"
FunctionEnd

Function .onVerifyInstDir
  ${If} $FormShown == 1
    System::Call "duskwizard::func04(m '$INSTDIR')"
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  !insertmacro Log "host: page directory left for $INSTDIR"
FunctionEnd

Function InstFilesPre
  !insertmacro Log "host: page instfiles; func05"
  System::Call "duskwizard::func05()?c"
FunctionEnd

Function InstFilesShow
  FindWindow $0 "#32770" "" $HWNDPARENT
  Push $0
  Call PaintHostWindow
  System::Call "duskwizard::func06(m 'Preparing...', m '', i 0, i 10)"
  !insertmacro Log "host: page instfiles shown"
FunctionEnd

; Runs on the installer's worker thread: the DLL carries these calls to the form's thread.
Section "Example files"
  !insertmacro Log "host: section starts"
  SetOutPath "$INSTDIR"
  ${For} $R5 1 10
    DetailPrint "Installing part $R5 of 10"
    Sleep 300
    System::Call "duskwizard::func06(m 'Installing part $R5 of 10', m '$INSTDIR\part$R5.dat', i R5, i 10)"
  ${Next}
  ${If} $Fail == 1
    !insertmacro Log "host: section fails; func07 0"
    System::Call "duskwizard::func07(i 0)?c"
    Abort "The example installation failed."
  ${EndIf}
  !insertmacro Log "host: section done; func07 1"
  System::Call "duskwizard::func07(i 1)?c"
SectionEnd

Function .onUserAbort
  !insertmacro Log "host: close requested"
  MessageBox MB_YESNO "Setup is not complete. Exit Setup?" IDYES quit
  !insertmacro Log "host: close declined"
  Abort
  quit:
  !insertmacro Log "host: close accepted"
FunctionEnd

Function .onGUIEnd
  !insertmacro Log "host: wizard ends; func02"
  System::Call "duskwizard::func02()?c"
FunctionEnd
