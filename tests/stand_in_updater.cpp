// Stands in for the card maker's driver updater: records how it was started and ends.
// The record goes to the file named by FRAMIX_UPDATER_RECORD: the current directory, the
// command line and the program's own path, one a line.
#include <windows.h>

#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char recordPath[MAX_PATH];
    if (!GetEnvironmentVariableA("FRAMIX_UPDATER_RECORD", recordPath, sizeof recordPath))
        return 1;
    char record[3 * MAX_PATH + 2048] = "";
    char line[MAX_PATH];
    GetCurrentDirectoryA(sizeof line, line);
    lstrcatA(record, line);
    lstrcatA(record, "\n");
    lstrcpynA(record + strlen(record), GetCommandLineA(), 2048);
    lstrcatA(record, "\n");
    GetModuleFileNameA(NULL, line, sizeof line);
    lstrcatA(record, line);
    lstrcatA(record, "\n");
    // Write under another name, then rename, so a reader never sees half a record.
    char partial[MAX_PATH + 8];
    lstrcpyA(partial, recordPath);
    lstrcatA(partial, ".part");
    HANDLE file = CreateFileA(partial, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written;
    WriteFile(file, record, strlen(record), &written, NULL);
    CloseHandle(file);
    MoveFileExA(partial, recordPath, MOVEFILE_REPLACE_EXISTING);
    return 0;
}
