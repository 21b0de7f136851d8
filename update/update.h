// The update procedure: staging folder, capture profile, registry record and the CD phase.
#pragma once

#include <windows.h>

// Paths are ANSI strings in buffers of the platform's path limit.
const int PATH_BUFFER = MAX_PATH;

BOOL RunUpdate();
BOOL WriteCaptureProfile(const char *folder);
BOOL InstallDriverFromCd();
BOOL FindInstallCd(char *root);
BOOL LaunchDriverInstaller(const char *root);

// Joins up to three pieces into a path buffer; FALSE, with nothing written, when the result
// would not fit. out may be the same buffer as first.
BOOL BuildPath(char *out, const char *first, const char *second, const char *third = "");

// Whether a WinExec result means the program was started.
BOOL IsStartResultSuccess(UINT result);
