// The default run: staging folder, capture profile, registry record, then the CD phase.
#include "update.h"
#include "../app/app.h"
#include "../resources/resource.h"

#include <string.h>

static const char STAGING_FOLDER[] = "TovelUpdate";

BOOL BuildPath(char *out, const char *first, const char *second, const char *third)
{
    size_t a = strlen(first), b = strlen(second), c = strlen(third);
    if (a + b + c >= (size_t)PATH_BUFFER)
        return FALSE;
    memmove(out, first, a);
    memcpy(out + a, second, b);
    memcpy(out + a + b, third, c);
    out[a + b + c] = '\0';
    return TRUE;
}

// Turns the directory in path, of the given length, into the staging folder inside it.
static BOOL AppendStagingFolder(char *path, DWORD length)
{
    // A drive root already ends in a backslash. Step back by character, not byte, so the
    // trail byte of a double-byte character is never taken for one.
    const char *last = CharPrevA(path, path + length);
    BOOL endsInSeparator = last + 1 == path + length && *last == '\\';
    return BuildPath(path, path, endsInSeparator ? "" : "\\", STAGING_FOLDER);
}

static BOOL CreateStagingFolder(const char *path)
{
    if (CreateDirectoryA(path, NULL))
        return TRUE;
    DWORD error = GetLastError();
    // An existing name is reused; if it is a file, writing the profile reports that.
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

static BOOL RecordStagingPath(const char *path)
{
    char subkey[PATH_BUFFER];
    LoadStringA(g_instance, IDS_INSTALL_KEY, subkey, sizeof subkey);
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, &disposition) != ERROR_SUCCESS) {
        ReportMessage(IDS_ERR_CREATE_KEY);
        return FALSE;
    }
    char name[PATH_BUFFER];
    LoadStringA(g_instance, IDS_PATH_VALUE, name, sizeof name);
    LONG status = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)path, strlen(path) + 1);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

BOOL RunUpdate()
{
    char path[PATH_BUFFER];
    DWORD length = GetCurrentDirectoryA(PATH_BUFFER, path);
    if (length == 0 || length >= (DWORD)PATH_BUFFER)
        return FALSE;
    if (!AppendStagingFolder(path, length) || !CreateStagingFolder(path)) {
        ReportMessage(IDS_ERR_CREATE_DIR);
        return FALSE;
    }
    if (!WriteCaptureProfile(path))
        return FALSE;
    if (!RecordStagingPath(path))
        return FALSE;
    return InstallDriverFromCd();
}
