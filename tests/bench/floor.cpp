// The least a program of this kind can do: register a class, make a 1 x 1 window, post
// itself one message and quit when it arrives. With the argument "box" it first shows one
// message box, as the update shows its success notice. The benchmark's floor.
#include <windows.h>

#include <string.h>

static const UINT WM_GO = WM_USER + 1;
static bool g_showBox;

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GO) {
        if (g_showBox)
            MessageBoxA(window, "Floor", "Floor", MB_OK);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showState)
{
    g_showBox = strstr(arguments, "box") != NULL;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "FLOOR";
    RegisterClassExA(&wc);
    HWND window = CreateWindowExA(0, "FLOOR", "Floor", WS_OVERLAPPEDWINDOW, -2, -2, 1, 1, NULL,
                                  NULL, instance, NULL);
    ShowWindow(window, showState);
    UpdateWindow(window);
    PostMessageA(window, WM_GO, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
