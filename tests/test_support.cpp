#include "test_support.h"

#include <filesystem>

#include "app.h"

static const char INSTALLER_PATH[] =
    "Third Party Hardware Installers\\ATI\\All-in-Wonder Pro\\English";

std::string DriveFolder(char letter)
{
    return std::string(TEST_DRIVES_DIR) + "\\" + letter;
}

void RemoveTree(const std::string &path)
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path), ignored);
}

void ClearDrives()
{
    for (char letter : {'d', 'e', 'g', 'y'}) {
        RemoveTree(DriveFolder(letter));
        CreateDirectoryA(DriveFolder(letter).c_str(), NULL);
    }
}

std::string InstallerFolder(char letter)
{
    return DriveFolder(letter) + "\\" + INSTALLER_PATH;
}

void InsertCd(char letter, bool withUpdater)
{
    WriteFileBytes(DriveFolder(letter) + "\\FramixLogo.ico", "icon");
    if (!withUpdater)
        return;
    std::filesystem::create_directories(std::filesystem::path(InstallerFolder(letter)));
    CopyFileA(TEST_STAND_IN_EXE, (InstallerFolder(letter) + "\\Update.exe").c_str(), FALSE);
}

std::string MakeScratchFolder(const std::string &name)
{
    std::string path = std::string(TEST_WORK_DIR) + "\\" + name;
    RemoveTree(path);
    std::filesystem::create_directories(std::filesystem::path(path));
    return path;
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ReadFileBytes(const std::string &path, std::string *bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, NULL) && read > 0)
        bytes->append(buffer, read);
    CloseHandle(file);
    return true;
}

bool PathExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string UpdaterRecordPath()
{
    // One file per test process: an updater started by an earlier test cannot write it.
    return std::string(TEST_WORK_DIR) + "\\updater-record-" +
           std::to_string(GetCurrentProcessId()) + ".txt";
}

std::string WaitForUpdaterRecord(DWORD timeoutMs)
{
    std::string record;
    DWORD start = GetTickCount();
    do {
        // The stand-in writes its record in one go; an empty file is still being written.
        if (ReadFileBytes(UpdaterRecordPath(), &record) && !record.empty())
            return record;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return "";
}

void DeleteProductKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tovel");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tovel");
}

bool ReadStagingValue(std::string *data, DWORD *type, DWORD *size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, INSTALL_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[1024];
    *size = sizeof buffer;
    LONG status = RegQueryValueExA(key, "PrePathToCopy", NULL, type, (BYTE *)buffer, size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return false;
    data->assign(buffer, *size);
    return true;
}

ScenarioResult RunUpdateProgram(const std::string &arguments, const std::string &folder,
                                const std::vector<ScenarioAnswer> &script)
{
    std::string line = std::string("\"") + TEST_UPDATE_EXE + "\"" + arguments;
    return RunScenario(line, folder, script, 60000,
                       [](const BoxRecord &, size_t) { return CLOSE_BOX; });
}

std::string ProfileInRepository()
{
    std::string bytes;
    ReadFileBytes(TEST_PROFILE_SOURCE, &bytes);
    return bytes;
}

CurrentDirectory::CurrentDirectory(const std::string &path)
{
    GetCurrentDirectoryA(sizeof m_saved, m_saved);
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory()
{
    SetCurrentDirectoryA(m_saved);
}

void ResetWorld()
{
    ClearDrives();
    DeleteProductKey();
    CreateDirectoryA(TEST_WORK_DIR, NULL);
    DeleteFileA(UpdaterRecordPath().c_str());
    SetEnvironmentVariableA("FRAMIX_UPDATER_RECORD", UpdaterRecordPath().c_str());
}

std::string UnixPath(const std::string &winePath)
{
    std::string path = winePath.substr(2); // drop "Z:"
    for (char &c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

static bool IsFolder(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static bool IsWritable(const std::string &path)
{
    if (IsFolder(path)) {
        std::string probe = path + "\\.probe";
        // A probe left behind when the folder locked between the two calls is cleared later.
        if (CreateDirectoryA(probe.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS)
            return RemoveDirectoryA(probe.c_str()) != 0;
        return false;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Wine starts unix programs but cannot wait for them: poll for the effect instead.
static bool ChangeImmutable(const std::string &path, const char *flag, bool writable)
{
    std::string line = std::string("/usr/bin/chattr ") + flag + " \"" + UnixPath(path) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (int i = 0; i < 100; i++) {
        if (IsWritable(path) == writable)
            return true;
        Sleep(50);
    }
    return false;
}

bool MakeUnwritable(const std::string &path)
{
    if (!IsFolder(path))
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    return ChangeImmutable(path, "+i", false);
}

bool MakeWritable(const std::string &path)
{
    // Attributes cannot change while the file is immutable: unlock it first.
    bool unlocked = ChangeImmutable(path, "-i", true);
    if (!IsFolder(path))
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return unlocked;
}

void MainWindowTest::SetUp()
{
    ResetWorld();
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadStringA(instance, 103, g_appTitle, sizeof g_appTitle);
    LoadStringA(instance, 109, g_windowClassName, sizeof g_windowClassName);
    RegisterMainClass(instance);
    g_runMode = Cleanup;
    ASSERT_TRUE(CreateMainWindow(instance, SW_HIDE));
    MSG work;
    PeekMessageA(&work, g_mainWindow, WM_START_WORK, WM_START_WORK, PM_REMOVE);
}

void MainWindowTest::TearDown()
{
    DestroyWindow(g_mainWindow);
    MSG quit;
    PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
}
