// Files, folders, drives, registry and processes for the tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "box_recorder.h"
#include "driver/scenario.h"
#include "test_paths.h"

// The drive folder behind a test drive letter ('d', 'e', 'g' or 'y'), as a Wine path.
std::string DriveFolder(char letter);
// Empties every test drive.
void ClearDrives();
// Puts the installation CD's marker into a drive; with the updater, also the installer
// folder with the stand-in updater as its Update.exe.
void InsertCd(char letter, bool withUpdater = true);
std::string InstallerFolder(char letter);

// A new, empty folder for one test, under the build tree.
std::string MakeScratchFolder(const std::string &name);
void RemoveTree(const std::string &path);

bool WriteFileBytes(const std::string &path, const std::string &bytes);
bool ReadFileBytes(const std::string &path, std::string *bytes);
bool PathExists(const std::string &path);

// Where the stand-in updater records how it was started; empty before it has run.
std::string UpdaterRecordPath();
// Waits up to timeoutMs for the stand-in to write its record, and returns it.
std::string WaitForUpdaterRecord(DWORD timeoutMs);

// What the program says, as the tests expect to see it.
const char TITLE[] = "Tovel Framix Install Update";
const char PROMPT[] = "Please insert the Tovel Framix Installation CD and press OK.";
const char WRONG_CD[] = "This is not the correct CD.";
const char INCOMPLETE[] = "Driver update is incomplete.";
const char UPDATED[] = "Tovel Framix Installer has now been updated.\n\nPlease run the Setup "
                       "program form the Tovel Framix CD.";
const char CREATE_FILE[] = "Unable to create file.";
const char CREATE_DIR[] = "Unable to create directory.";
const char CREATE_KEY[] = "Unable to create Registry Key.";
const char WRITE_FILE[] = "Unable to write to file.";
const char INSTALLER_ON_E[] =
    "E:\\Third Party Hardware Installers\\ATI\\All-in-Wonder Pro\\English";

// The capture profile as the repository holds it.
std::string ProfileInRepository();

// The install key of the product under HKEY_CURRENT_USER.
const char INSTALL_KEY[] = "Software\\Tovel\\Framix\\Install";
void DeleteProductKey();
// Reads PrePathToCopy; false when it is absent.
bool ReadStagingValue(std::string *data, DWORD *type, DWORD *size);

// The built 64-bit Update.exe, started in folder with the argument text, its boxes answered by
// script and any further box closed; stopped after a minute.
ScenarioResult RunUpdateProgram(const std::string &arguments, const std::string &folder,
                                const std::vector<ScenarioAnswer> &script);

// Saves the current directory and restores it on destruction.
class CurrentDirectory
{
  public:
    explicit CurrentDirectory(const std::string &path);
    ~CurrentDirectory();

  private:
    char m_saved[MAX_PATH];
};

// Puts the machine in a known state for one test: empty drives, no product key in the
// registry, no updater record, and the stand-in updater told where to write it.
void ResetWorld();

// The unix path behind a Z: path.
std::string UnixPath(const std::string &winePath);

// Makes a file or folder truly unwritable (a read-only attribute is not enough for root under
// Wine), or writable again. False when the file did not change within a few seconds.
bool MakeUnwritable(const std::string &path);
bool MakeWritable(const std::string &path);

// A test with the program's main window in place, its work message taken off the queue, so
// that boxes have their real owner. Boxes are recorded by boxes.
class MainWindowTest : public testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
    BoxRecorder boxes;
};
