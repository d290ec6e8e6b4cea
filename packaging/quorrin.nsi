; The per-user installer of Quorrin (Unicode, x86_64). Its pages, and the uninstaller's, are in
; Chinese on a Chinese Windows and in English elsewhere, chosen from the user's display
; language without asking. scripts/package.sh builds it and passes what changes from build to
; build, the pictures included (packaging/installer-pictures.sh draws them):
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DEXE=<Quorrin.exe> -DPICTURES=<folder> \
;            -DOUTFILE=<setup.exe> quorrin.nsi
; The same inputs give the same setup.exe, byte for byte. Besides the files' contents, the
; inputs are the modification times of the files it packs, which File records: Quorrin.exe's
; and the pictures' (package.sh sets them to the commit's time), and NSIS's own plugins'.
;
; Command line of the setup (besides NSIS's own /S and /D=folder, which must come last):
;   /NOAUTORUN   leave "开机时自动运行" unticked (for silent installs)
; Exit codes: 0 installed, 1 cancelled by the user, 2 stopped (Quorrin would not close).
;
; The program is installed for the current user only, into %LOCALAPPDATA%\Programs\Quorrin,
; without administrator rights. Config.ini, which Quorrin writes beside its .exe, holds the
; user's timings: the installer never ships, writes or removes it; the uninstaller removes it
; only when "同时删除设置" is ticked.

!ifndef VERSION | EXE | PICTURES | OUTFILE
  !error "pass -DVERSION=, -DEXE=, -DPICTURES= and -DOUTFILE= (scripts/package.sh does)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define PRODUCT "Quorrin"
!define PUBLISHER "Quorrin developers"
!define PROGRAM_EXE "Quorrin.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The Run value as the tray menu's "开机时自动运行" writes it: the quoted full path, no arguments.
!define RUN_VALUE "${PRODUCT}"
; How long a running Quorrin is given to close before the user is asked: 40 x 250 ms.
!define CLOSE_WAIT_STEP_MS 250
!define CLOSE_WAIT_STEPS 40
!define SYNCHRONIZE 0x00100000
!define EXIT_STOPPED 2

; The window classes of the clock, under which a running Quorrin is found and closed: the
; current names, and those of the released 1.0.0, which an update finds running. The other
; windows of either (settings dialogs: Quorrin.TimingDialog, Quorrin.StyleDialog, ... now,
; Quorrin.FrmSetTime, Quorrin.FrmSetStyle, ... in 1.0.0) are found by the class prefix.
!define CLOCK_CLASS "Quorrin.MainClock"
!define CLOCK_COPY_CLASS "Quorrin.ClockCopy"
!define OLD_CLOCK_CLASS "Quorrin.TimeForm"
!define OLD_CLOCK_COPY_CLASS "Quorrin.TimeForm_Copy"
!define CLASS_PREFIX "Quorrin."
!define SINGLE_INSTANCE_MUTEX "Local\Quorrin.SingleInstance"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A new version goes where the last one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MUI_ICON "../src/app/quorrin.ico"
!define MUI_UNICON "../src/app/quorrin.ico"
; Quorrin's clock on the welcome and finish pages and at the right of every page's header.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES}/header.bmp"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_UNCOMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM_EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNowText)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(KeepSettingsText)"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; No language prompt: the setup and the uninstaller take the language matching the user's
; display language (any Chinese one gives SimpChinese), else the first one, English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

; Every text of our own, in both languages. The program's own menu names its entries
; 退出程序 / Exit and 开机时自动运行 / Run at startup; the texts here use the same words.
LangString WelcomeText ${LANG_ENGLISH} "This will install Quorrin ${VERSION} on your computer, for the current user only, without administrator rights.$\r$\n$\r$\nIf Quorrin is running, the setup first closes it (as choosing Exit in its menu does); your settings (Config.ini) stay as they are.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_SIMPCHINESE} "此程序将把 Quorrin ${VERSION} 安装到你的电脑。只为当前用户安装，不需要管理员权限。$\r$\n$\r$\n如果 Quorrin 正在运行，安装程序会先关闭它（和选择“退出程序”一样），你的设置（Config.ini）保持不变。$\r$\n$\r$\n点击 [下一步(N)] 继续。"
LangString FinishText ${LANG_ENGLISH} "Quorrin is installed. It runs in the notification area at the bottom right of the taskbar: the countdown appears by itself when a slide show starts, and a right click on its icon opens the settings menu."
LangString FinishText ${LANG_SIMPCHINESE} "Quorrin 已安装。它在任务栏右下角的通知区域运行：放映幻灯片时自动显示倒计时，右键单击它的图标可以打开设置菜单。"
LangString RunNowText ${LANG_ENGLISH} "Run Quorrin now"
LangString RunNowText ${LANG_SIMPCHINESE} "立即运行 Quorrin"
LangString AutorunSection ${LANG_ENGLISH} "Run at startup"
LangString AutorunSection ${LANG_SIMPCHINESE} "开机时自动运行"
LangString KeepSettingsText ${LANG_ENGLISH} "Config.ini holds your timing and appearance settings. Unless you tick $\"Also remove the settings$\", it is kept for a later install to use."
LangString KeepSettingsText ${LANG_SIMPCHINESE} "Config.ini 保存着你的计时和样式设置，默认保留，以后重新安装时继续使用。"
LangString RemoveSettingsSection ${LANG_ENGLISH} "Also remove the settings (Config.ini)"
LangString RemoveSettingsSection ${LANG_SIMPCHINESE} "同时删除设置（Config.ini）"
LangString ClosingText ${LANG_ENGLISH} "Closing Quorrin..."
LangString ClosingText ${LANG_SIMPCHINESE} "正在关闭 Quorrin..."
LangString StillRunningText ${LANG_ENGLISH} "Quorrin is running (or its file is in use by another program) and could not be closed.$\r$\n$\r$\nRight-click the Quorrin icon in the notification area and choose Exit (close any open settings window first), then click Retry."
LangString StillRunningText ${LANG_SIMPCHINESE} "Quorrin 正在运行（或它的文件正被其他程序使用），无法自动关闭。$\r$\n$\r$\n请右键单击通知区域中的 Quorrin 图标，选择“退出程序”（如有打开的设置窗口，请先关闭），然后单击“重试”。"
LangString NothingChangedText ${LANG_ENGLISH} "Quorrin is still running; nothing was changed."
LangString NothingChangedText ${LANG_SIMPCHINESE} "Quorrin 仍在运行，没有做任何更改。"

VIProductVersion "${VERSION}.0"
!macro VERSION_KEYS LANG DESCRIPTION
  VIAddVersionKey /LANG=${LANG} "ProductName" "${PRODUCT}"
  VIAddVersionKey /LANG=${LANG} "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=${LANG} "LegalCopyright" "© ${PUBLISHER}"
  VIAddVersionKey /LANG=${LANG} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "ProductVersion" "${VERSION}"
!macroend
!insertmacro VERSION_KEYS ${LANG_ENGLISH} "${PRODUCT} Setup"
!insertmacro VERSION_KEYS ${LANG_SIMPCHINESE} "${PRODUCT} 安装程序"

; --- Closing a running Quorrin, as its menu's "退出程序" does, before its files are touched.
;
; WM_CLOSE to the clock window ends the program the same way, saving where
; the countdown stands. An open settings dialog keeps the program alive until it closes, and
; WM_CLOSE closes a dialog as 取消 does and a message box as OK does, so every window of the
; program gets one: message boxes and dialogs first (a modal one before its owner, as they are
; listed top to bottom), the clock last; the clock's copy goes with the clock. The program
; counts as gone when its clock window and its single-instance mutex are gone and its .exe in
; the install folder can be opened for writing.

; FIND_CLOCK VAR: the clock window of a running Quorrin, of this version or of 1.0.0, or 0.
!macro FIND_CLOCK VAR
  FindWindow ${VAR} "${CLOCK_CLASS}"
  ${If} ${VAR} = 0
    FindWindow ${VAR} "${OLD_CLOCK_CLASS}"
  ${EndIf}
!macroend

!macro QUORRIN_CLOSING un
; Posts WM_CLOSE to Quorrin's windows. The program is found by its window classes (all start
; with "Quorrin."); its message boxes by its process, or by their caption "Quorrin" while it
; is still starting and has no window of its own yet. The installer's own windows are skipped.
Function ${un}PostCloseToQuorrin
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  System::Call 'kernel32::GetCurrentProcessId() i .r5'
  StrCpy $4 0
  !insertmacro FIND_CLOCK $0
  ${If} $0 <> 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r4)'
  ${EndIf}
  StrCpy $0 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r0, p 0, p 0) p .r0'
    ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
    System::Call 'user32::GetClassNameW(p r0, w .r1, i 256)'
    System::Call 'user32::GetWindowTextW(p r0, w .r2, i 256)'
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r3)'
    ${If} $3 = $5
      ${Continue}
    ${EndIf}
    ${If} $1 S== "#32770"
      ${If} $3 = $4
      ${OrIf} $2 S== "Quorrin"
        System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
      ${EndIf}
    ${ElseIf} $1 S!= "${CLOCK_CLASS}"
    ${AndIf} $1 S!= "${CLOCK_COPY_CLASS}"
    ${AndIf} $1 S!= "${OLD_CLOCK_CLASS}"
    ${AndIf} $1 S!= "${OLD_CLOCK_COPY_CLASS}"
      StrLen $2 "${CLASS_PREFIX}"
      StrCpy $1 $1 $2
      ${If} $1 S== "${CLASS_PREFIX}"
        System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
      ${EndIf}
    ${EndIf}
  ${Loop}
  !insertmacro FIND_CLOCK $0
  ${If} $0 <> 0
    System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
  ${EndIf}
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Pushes 1 while a Quorrin runs or the installed .exe cannot be replaced, else 0.
Function ${un}QuorrinRunning
  Push $0
  !insertmacro FIND_CLOCK $0
  ${If} $0 = 0
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${SINGLE_INSTANCE_MUTEX}") p .r0'
    ${If} $0 <> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
  ${If} $0 <> 0
    StrCpy $0 1
  ${ElseIf} ${FileExists} "$INSTDIR\${PROGRAM_EXE}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${PROGRAM_EXE}" a
    ${If} ${Errors}
      StrCpy $0 1
    ${Else}
      FileClose $0
      StrCpy $0 0
    ${EndIf}
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd

; Closes a running Quorrin, waiting a bounded time; if it stays, asks the user to end it
; (retry or cancel). Cancelling, and a silent run, stop the whole setup with exit code 2
; before anything has been changed.
Function ${un}CloseQuorrin
  Push $0
  Push $1
  retry:
    StrCpy $1 0
    ${Do}
      Call ${un}QuorrinRunning
      Pop $0
      ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
      ${IfThen} $1 >= ${CLOSE_WAIT_STEPS} ${|} ${ExitDo} ${|}
      ${If} $1 = 0
        DetailPrint "$(ClosingText)"
      ${EndIf}
      Call ${un}PostCloseToQuorrin
      Sleep ${CLOSE_WAIT_STEP_MS}
      IntOp $1 $1 + 1
    ${Loop}
    ${If} $0 <> 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunningText)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel ${EXIT_STOPPED}
      Abort "$(NothingChangedText)"
    ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro QUORRIN_CLOSING ""
!insertmacro QUORRIN_CLOSING "un."

; --- Install

Section "Quorrin" SecProgram
  SectionIn RO
  Call CloseQuorrin
  SetOutPath "$INSTDIR"
  File "/oname=${PROGRAM_EXE}" "${EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_EXE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(AutorunSection)" SecAutorun
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${PROGRAM_EXE}"'
SectionEnd

; Unticked: a start with Windows set up for this copy is taken away.
Section "-autorun off"
  ${IfNot} ${SectionIsSelected} ${SecAutorun}
    Call RemoveOwnRunValue
  ${EndIf}
SectionEnd

!macro REMOVE_OWN_RUN_VALUE un
; Removes the Run value "Quorrin" when it starts this copy (another copy's is left alone).
Function ${un}RemoveOwnRunValue
  Push $0
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\${PROGRAM_EXE}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  Pop $0
FunctionEnd
!macroend
!insertmacro REMOVE_OWN_RUN_VALUE ""
!insertmacro REMOVE_OWN_RUN_VALUE "un."

; "开机时自动运行" is ticked for a first install. A new version over an installed one keeps
; the choice the user made since (the tray menu's entry adds or removes the same value);
; /NOAUTORUN unticks it.
Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTORUN" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutorun}
  ${Else}
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ClearErrors
    ReadRegStr $2 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $1 != ""
    ${AndIf} ${Errors}
      !insertmacro UnselectSection ${SecAutorun}
    ${EndIf}
  ${EndIf}
FunctionEnd

; --- Uninstall

Section "un.Quorrin" SecUnProgram
  SectionIn RO
  Call un.CloseQuorrin
  Delete "$INSTDIR\${PROGRAM_EXE}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Call un.RemoveOwnRunValue
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.$(RemoveSettingsSection)" SecUnSettings
  Delete "$INSTDIR\Config.ini"
  ; Left by a save that was cut short.
  Delete "$INSTDIR\Config.ini.*.tmp"
SectionEnd

; The folder goes when nothing is left in it (Config.ini kept, or the user's own files).
Section "-un.folder"
  RMDir "$INSTDIR"
SectionEnd
