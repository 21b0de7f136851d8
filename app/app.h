// The application shell: run modes, module globals and the one way to tell the user something.
#pragma once

#include <windows.h>

// Values are tested as bit masks.
enum RunMode { Update = 1, Cleanup = 2, CopyIni = 4 };

// Posted once to the main window to start the work of the run mode.
const UINT WM_START_WORK = WM_USER + 245;

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern RunMode g_runMode;
extern char g_appTitle[100];
extern char g_windowClassName[100];

// The program's entry once the platform's start-up has split off the program name.
int RunApplication(HINSTANCE instance, const char *argumentText, int showState);

// The argument text of a full command line: everything after the program name.
const char *SkipProgramName(const char *commandLine);

// Case-sensitive search that steps by character in the given code page, so a match never
// begins on the trail byte of a double-byte character.
BOOL ContainsText(const char *text, const char *word, UINT codePage);

void ParseRunMode(const char *argumentText);
void RegisterMainClass(HINSTANCE instance);
BOOL CreateMainWindow(HINSTANCE instance, int showState);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL RunCopyIni();
int ReportMessage(UINT id);
