; The per-user setup program of the Windows calculator, zunmo-calc-setup.exe. Made by
; scripts/build-windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=3.0 -DSTAGE=<dir> -DICON=<app.ico> -DOUTFILE=<exe> \
;            packaging/windows/zunmo-calc.nsi
; STAGE holds the files to install (what the zip carries, plus installed.marker) and two lists
; the script made from them: install-files.nsh (the File lines) and uninstall-files.nsh (the
; macro RemoveInstalledFiles, a Delete for each of those files), so that the uninstaller
; removes exactly what was installed.
;
; Installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\zunmo-calc. installed.marker beside the .exe tells the program to keep
; TKVR.INI in %APPDATA%\zunmo-calc, which neither an update nor the uninstaller touches.
; Silent use: zunmo-calc-setup.exe /S [/D=folder], uninstall.exe /S. Exit codes: 0 done,
; 1 cancelled, 3 the program is running, 4 the folder cannot be written to, 5 a file could not
; be written (found before copying: nothing changed; while copying: what was copied is removed).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "股票交易费用成本Zunmo计算器"
!define PUBLISHER "Zunmo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\zunmo-calc"
; Created by zunmo-calc.exe while it runs (src/win/main.cpp).
!define RUNNING_MUTEX "zunmo-calc.running"
!define SYNCHRONIZE 0x00100000
!define EXIT_RUNNING 3
!define EXIT_FOLDER 4
!define EXIT_COPY 5

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\zunmo-calc"
; An update goes where the installed version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\zunmo-calc.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

; Sets $1 to FILE when FILE exists and cannot be opened for writing.
!macro CheckReplaceable FILE
    ${If} ${FileExists} "${FILE}"
        ClearErrors
        FileOpen $0 "${FILE}" a
        ${If} ${Errors}
            StrCpy $1 "${FILE}"
        ${Else}
            FileClose $0
        ${EndIf}
    ${EndIf}
!macroend

!include "${STAGE}/uninstall-files.nsh"

; Pushes 1 when a copy of the program is running (it holds RUNNING_MUTEX), else 0.
!macro PushProgramRunning
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        Push 1
    ${Else}
        Push 0
    ${EndIf}
!macroend

; Asks the user to close the running program until it is closed (pushes 0) or the user gives up
; (pushes 1); in silent mode gives up at once. ACTION says what waits: 安装 or 卸载.
!macro WaitForProgramClosed ACTION
    ${Do}
        !insertmacro PushProgramRunning
        Pop $0
        ${If} $0 = 0
            Push 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT}正在运行。$\r$\n请先关闭它，再点“重试”继续${ACTION}；点“取消”退出${ACTION}。" \
            /SD IDCANCEL IDRETRY +3
        Push 1
        ${Break}
    ${Loop}
!macroend

!define FOLDER_NOT_WRITABLE \
    "无法写入安装文件夹：$\r$\n$INSTDIR$\r$\n请选择一个可以写入的文件夹（例如默认的文件夹）。"

Function .onInit
    !insertmacro WaitForProgramClosed "安装"
    Pop $0
    ${If} $0 = 1
        SetErrorLevel ${EXIT_RUNNING}
        Quit
    ${EndIf}
    ; A /D= folder that cannot be one (a file on its way) is dropped for the default folder
    ; without a word; an install somewhere the user did not ask for is refused instead.
    System::Call 'kernel32::GetCommandLineW() w .r0'
    ClearErrors
    ${GetOptions} "$0" "/D=" $1
    ${IfNot} ${Errors}
    ${AndIf} "$1" != "$INSTDIR"
    ${AndIf} "$1" != "$INSTDIR\"
        StrCpy $INSTDIR "$1"
        MessageBox MB_OK|MB_ICONSTOP "${FOLDER_NOT_WRITABLE}" /SD IDOK
        SetErrorLevel ${EXIT_FOLDER}
        Quit
    ${EndIf}
FunctionEnd

; Pushes 1 when files can be made in $INSTDIR (created with its missing parents), else 0.
Function PushFolderWritable
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\.zunmo-calc-setup-probe" w
    ${If} ${Errors}
        Push 0
    ${Else}
        FileClose $0
        Delete "$INSTDIR\.zunmo-calc-setup-probe"
        Push 1
    ${EndIf}
FunctionEnd

Function DirectoryLeave
    Call PushFolderWritable
    Pop $0
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONSTOP "${FOLDER_NOT_WRITABLE}"
        Abort
    ${EndIf}
FunctionEnd

Section "程序文件" ProgramFiles
    SectionIn RO
    ; The program may have been started while the pages were shown.
    !insertmacro WaitForProgramClosed "安装"
    Pop $0
    ${If} $0 = 1
        SetErrorLevel ${EXIT_RUNNING}
        Abort
    ${EndIf}
    Call PushFolderWritable
    Pop $0
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONSTOP "${FOLDER_NOT_WRITABLE}" /SD IDOK
        SetErrorLevel ${EXIT_FOLDER}
        Abort
    ${EndIf}

    ; An update replaces the files in place: one that cannot be written (held open by another
    ; program) stops it before anything changed.
    StrCpy $1 ""
    !insertmacro CheckReplaceableFiles
    ${If} $1 != ""
        MessageBox MB_OK|MB_ICONSTOP \
            "无法替换文件：$\r$\n$1$\r$\n它正被其他程序使用，请关闭那个程序后再安装一次。" /SD IDOK
        SetErrorLevel ${EXIT_COPY}
        Abort
    ${EndIf}

    ClearErrors
    !include "${STAGE}/install-files.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
        !insertmacro RemoveInstalledFiles
        Delete "$INSTDIR\uninstall.exe"
        RMDir "$INSTDIR"
        MessageBox MB_OK|MB_ICONSTOP \
            "复制文件时出错，安装没有完成。$\r$\n已经复制的文件都已删除，请关闭其他程序后再安装一次。" \
            /SD IDOK
        SetErrorLevel ${EXIT_COPY}
        Abort
    ${EndIf}

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\zunmo-calc.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\卸载.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zunmo-calc.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    ${GetSize} "$INSTDIR" "/S=0K /G=1" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "桌面快捷方式" DesktopShortcut
    CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\zunmo-calc.exe"
SectionEnd

; A folder the probe made for an install that then failed or was cancelled goes again, when empty.
Function .onInstFailed
    RMDir "$INSTDIR"
FunctionEnd

Function un.onInit
    !insertmacro WaitForProgramClosed "卸载"
    Pop $0
    ${If} $0 = 1
        SetErrorLevel ${EXIT_RUNNING}
        Quit
    ${EndIf}
FunctionEnd

; Removes what the setup program made, file by file; the settings in %APPDATA%\zunmo-calc stay.
Section "Uninstall"
    !insertmacro RemoveInstalledFiles
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\卸载.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    Delete "$DESKTOP\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
