// Copies the capture profile carried in the program's resources into the staging folder.
#include "update.h"
#include "../app/app.h"
#include "../resources/resource.h"

BOOL WriteCaptureProfile(const char *folder)
{
    HRSRC info = FindResourceA(NULL, MAKEINTRESOURCEA(IDR_PROFILE), "TEXTFILE");
    if (!info) {
        ReportMessage(IDS_ERR_LOAD_RESOURCE);
        return FALSE;
    }
    HGLOBAL loaded = LoadResource(NULL, info);
    if (!loaded)
        return FALSE;
    const void *data = LockResource(loaded);
    if (!data)
        return FALSE;
    DWORD size = SizeofResource(NULL, info);

    char name[PATH_BUFFER];
    LoadStringA(g_instance, IDS_PROFILE_FILE, name, sizeof name);
    char path[PATH_BUFFER];
    // A path cut short would name some other file, so refuse it.
    if (!BuildPath(path, folder, "\\", name)) {
        ReportMessage(IDS_ERR_CREATE_FILE);
        return FALSE;
    }
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        ReportMessage(IDS_ERR_CREATE_FILE);
        return FALSE;
    }
    DWORD written = 0;
    // A short write leaves a truncated profile: that is a failure too.
    BOOL ok = WriteFile(file, data, size, &written, NULL) && written == size;
    CloseHandle(file);
    if (!ok) {
        ReportMessage(IDS_ERR_WRITE_FILE);
        return FALSE;
    }
    return TRUE;
}
