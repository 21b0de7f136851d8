// The CD phase: find the installation CD, prompting for it, and start the driver updater.
#include "update.h"
#include "../app/app.h"
#include "../resources/resource.h"

static const char MARKER_FILE[] = "FramixLogo.ico";
static const char INSTALLER_FOLDER[] =
    "Third Party Hardware Installers\\ATI\\All-in-Wonder Pro\\English";
static const char INSTALLER_NAME[] = "\\Update.exe";

BOOL InstallDriverFromCd()
{
    char caption[50];
    char prompt[100];
    LoadStringA(g_instance, IDS_TITLE, caption, sizeof caption);
    LoadStringA(g_instance, IDS_INSERT_CD, prompt, sizeof prompt);

    char root[4];
    if (FindInstallCd(root))
        return LaunchDriverInstaller(root);
    for (;;) {
        int answer = MessageBoxA(g_mainWindow, prompt, caption, MB_OKCANCEL);
        // File > Exit while a box is up takes the window and the box with it: stop quietly.
        if (!IsWindow(g_mainWindow))
            return FALSE;
        if (answer != IDOK) {
            ReportMessage(IDS_INCOMPLETE);
            return FALSE;
        }
        if (FindInstallCd(root))
            return LaunchDriverInstaller(root);
        ReportMessage(IDS_WRONG_CD);
        if (!IsWindow(g_mainWindow))
            return FALSE;
        // The CD may have gone in while the notice was up.
        if (FindInstallCd(root))
            return LaunchDriverInstaller(root);
    }
}

BOOL FindInstallCd(char *root)
{
    // An empty drive must not raise the system's own "no disk" box; the scan is silent.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(previousMode | SEM_FAILCRITICALERRORS);

    char drive[] = "D:\\";
    BOOL found = FALSE;
    for (;;) {
        if (GetDriveTypeA(drive) == DRIVE_CDROM) {
            char marker[PATH_BUFFER];
            BuildPath(marker, drive, MARKER_FILE);
            HANDLE file = CreateFileA(marker, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, NULL);
            if (file != INVALID_HANDLE_VALUE) {
                lstrcpyA(root, drive);
                CloseHandle(file);
                found = TRUE;
                break;
            }
        }
        if (drive[0] == 'Z')
            break;
        drive[0]++;
    }
    SetErrorMode(previousMode);
    return found;
}

BOOL IsStartResultSuccess(UINT result)
{
    // WinExec succeeds above 31; every value up to 31 is an error code.
    return result > 31;
}

BOOL LaunchDriverInstaller(const char *root)
{
    char saved[PATH_BUFFER];
    GetCurrentDirectoryA(sizeof saved, saved);

    char folder[PATH_BUFFER];
    BuildPath(folder, root, INSTALLER_FOLDER);
    SetCurrentDirectoryA(folder);

    // Quoted: unquoted, a path with spaces could start E:\Third.exe instead.
    char command[PATH_BUFFER];
    UINT result = 0;
    if (BuildPath(command, "\"", folder, INSTALLER_NAME) && BuildPath(command, command, "\""))
        result = WinExec(command, SW_SHOWNORMAL);

    SetCurrentDirectoryA(saved);
    return IsStartResultSuccess(result);
}
