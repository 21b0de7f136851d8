// Start-up, run modes, the main window, the About box and ReportMessage.
#include "app.h"
#include "../resources/resource.h"
#include "../update/update.h"

#include <string.h>

HINSTANCE g_instance;
HWND g_mainWindow;
RunMode g_runMode;
char g_appTitle[100];
char g_windowClassName[100];

static const char SWITCH_COPY_INI[] = "-CopyIni";
static const char SWITCH_CLEANUP[] = "-Cleanup";

int RunApplication(HINSTANCE instance, const char *argumentText, int showState)
{
    LoadStringA(instance, IDS_TITLE, g_appTitle, sizeof g_appTitle);
    LoadStringA(instance, IDS_WINDOW_CLASS, g_windowClassName, sizeof g_windowClassName);
    RegisterMainClass(instance);
    ParseRunMode(argumentText);
    if (!CreateMainWindow(instance, showState))
        return 0;

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAIN));
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (int)msg.wParam;
}

const char *SkipProgramName(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        p++;
        while (*p && *p != '"')
            p++;
        if (*p == '"')
            p++;
    } else {
        while ((unsigned char)*p > ' ')
            p++;
    }
    while (*p && (unsigned char)*p <= ' ')
        p++;
    return p;
}

BOOL ContainsText(const char *text, const char *word, UINT codePage)
{
    size_t length = strlen(word);
    for (const char *p = text; *p; p = CharNextExA((WORD)codePage, p, 0)) {
        if (strncmp(p, word, length) == 0)
            return TRUE;
    }
    return FALSE;
}

void ParseRunMode(const char *argumentText)
{
    g_runMode = Update;
    if (ContainsText(argumentText, SWITCH_COPY_INI, CP_ACP))
        g_runMode = CopyIni;
    // Tested second, so it wins when both are given.
    if (ContainsText(argumentText, SWITCH_CLEANUP, CP_ACP))
        g_runMode = Cleanup;
}

void RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA wc;
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN);
    wc.lpszClassName = g_windowClassName;
    RegisterClassExA(&wc);
}

BOOL CreateMainWindow(HINSTANCE instance, int showState)
{
    g_instance = instance;
    g_mainWindow = CreateWindowExA(0, g_windowClassName, g_appTitle, WS_OVERLAPPEDWINDOW, -2, -2, 1,
                                   1, NULL, NULL, instance, NULL);
    if (!g_mainWindow)
        return FALSE;
    ShowWindow(g_mainWindow, showState);
    UpdateWindow(g_mainWindow);
    PostMessageA(g_mainWindow, WM_START_WORK, 0, 0);
    return TRUE;
}

BOOL RunCopyIni()
{
    return FALSE;
}

static void StartWork()
{
    if (g_runMode & CopyIni) {
        RunCopyIni();
    } else if (g_runMode & Update) {
        if (RunUpdate())
            ReportMessage(IDS_UPDATED);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_START_WORK:
        StartWork();
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case CMD_ABOUT:
            DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
            return 0;
        case CMD_EXIT:
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        RECT client;
        BeginPaint(window, &ps);
        GetClientRect(window, &client);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int ReportMessage(UINT id)
{
    char text[260];
    char caption[260];
    LoadStringA(g_instance, id, text, sizeof text);
    LoadStringA(g_instance, IDS_TITLE, caption, sizeof caption);
    return MessageBoxA(g_mainWindow, text, caption, MB_OK);
}
