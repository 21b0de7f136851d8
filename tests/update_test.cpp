// The default run in-process: staging folder, profile, registry record, CD phase.
#include <gtest/gtest.h>

#include "app.h"
#include "update.h"
#include "test_support.h"

namespace
{

// A folder of exactly the given length, made of nested parts below the scratch folder.
std::string FolderOfLength(const std::string &base, size_t length)
{
    std::string path = base;
    while (path.size() < length) {
        size_t part = std::min<size_t>(100, length - path.size() - 1);
        if (length - path.size() - 1 - part == 1) // leave room for one more separator
            part--;
        path += "\\" + std::string(part, 'p');
        CreateDirectoryA(path.c_str(), NULL);
    }
    return path;
}

struct UpdateCase {
    const char *name;
    // Prepares the world; returns the directory to run in.
    std::string (*prepare)(const std::string &scratch);
    BOOL result;
    std::vector<std::string> boxes;
    const char *staging; // expected staging folder; "" for none recorded
};

std::string InSubdirectory(const std::string &scratch)
{
    InsertCd('e');
    return scratch;
}

std::string AtDriveRoot(const std::string &)
{
    InsertCd('e');
    return "D:\\";
}

std::string WithFolderAlreadyThere(const std::string &scratch)
{
    InsertCd('e');
    CreateDirectoryA((scratch + "\\TovelUpdate").c_str(), NULL);
    WriteFileBytes(scratch + "\\TovelUpdate\\All-in-Wonder-NTSC.ini", "older profile");
    WriteFileBytes(scratch + "\\TovelUpdate\\keep.txt", "kept");
    return scratch;
}

std::string WithPlainFileInTheWay(const std::string &scratch)
{
    InsertCd('e');
    WriteFileBytes(scratch + "\\TovelUpdate", "a file");
    return scratch;
}

std::string InUnwritableFolder(const std::string &scratch)
{
    InsertCd('e');
    std::string locked = scratch + "\\locked";
    CreateDirectoryA(locked.c_str(), NULL);
    MakeUnwritable(locked);
    return locked;
}

std::string WithVolatileProductKey(const std::string &scratch)
{
    // A lasting key cannot be made below a volatile one.
    InsertCd('e');
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tovel", 0, NULL, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, NULL, &key, NULL);
    RegCloseKey(key);
    return scratch;
}

std::string WithOlderValue(const std::string &scratch)
{
    InsertCd('e');
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, INSTALL_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    const char older[] = "C:\\Somewhere\\Much\\Longer\\Than\\The\\New\\Path\\TovelUpdate";
    RegSetValueExA(key, "PrePathToCopy", 0, REG_EXPAND_SZ, (const BYTE *)older, sizeof older);
    RegCloseKey(key);
    return scratch;
}

std::string TooDeepForTheFolderName(const std::string &scratch)
{
    InsertCd('e');
    // Fits the path limit; with "\TovelUpdate" appended it would not.
    return FolderOfLength(scratch, MAX_PATH - 10);
}

const UpdateCase CASES[] = {
    {"Subdirectory", InSubdirectory, TRUE, {}, "SCRATCH\\TovelUpdate"},
    {"DriveRoot", AtDriveRoot, TRUE, {}, "D:\\TovelUpdate"},
    {"FolderReused", WithFolderAlreadyThere, TRUE, {}, "SCRATCH\\TovelUpdate"},
    {"ValueOverwritten", WithOlderValue, TRUE, {}, "SCRATCH\\TovelUpdate"},
    {"PlainFileInTheWay", WithPlainFileInTheWay, FALSE, {CREATE_FILE}, ""},
    {"FolderCannotBeCreated", InUnwritableFolder, FALSE, {CREATE_DIR}, ""},
    {"KeyCannotBeCreated", WithVolatileProductKey, FALSE, {CREATE_KEY}, ""},
    {"StagingPathTooLong", TooDeepForTheFolderName, FALSE, {CREATE_DIR}, ""},
};

void PrintTo(const UpdateCase &c, std::ostream *os)
{
    *os << c.name;
}

class UpdateRun : public MainWindowTest, public testing::WithParamInterface<UpdateCase>
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        scratch = MakeScratchFolder(std::string("update-") + GetParam().name);
    }
    void TearDown() override
    {
        if (PathExists(scratch + "\\locked")) {
            EXPECT_TRUE(MakeWritable(scratch + "\\locked"));
        }
        MainWindowTest::TearDown();
    }
    std::string scratch;
};

TEST_P(UpdateRun, DoesEachStepOrStopsAtTheFirstFailure)
{
    const UpdateCase &c = GetParam();
    std::string folder = c.prepare(scratch);
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    BOOL result;
    {
        CurrentDirectory inside(folder);
        result = RunUpdate();
        char after[MAX_PATH];
        GetCurrentDirectoryA(sizeof after, after);
        EXPECT_EQ(folder, after) << "the update moved the current directory";
    }
    EXPECT_EQ(c.result, result);
    EXPECT_EQ(c.boxes, boxes.Texts());

    std::string staging = c.staging;
    if (staging.compare(0, 7, "SCRATCH") == 0)
        staging = scratch + staging.substr(7);
    std::string value;
    DWORD type = 0, size = 0;
    bool recorded = ReadStagingValue(&value, &type, &size);
    if (staging.empty()) {
        EXPECT_FALSE(recorded && value.find("TovelUpdate") != std::string::npos) << value;
        EXPECT_TRUE(WaitForUpdaterRecord(1000).empty()) << "the updater was started";
        return;
    }
    ASSERT_TRUE(recorded);
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(staging.size() + 1, size) << "the stored size counts the terminating zero";
    EXPECT_EQ(staging + '\0', value);
    std::string profile;
    ASSERT_TRUE(ReadFileBytes(staging + "\\All-in-Wonder-NTSC.ini", &profile));
    EXPECT_TRUE(profile == ProfileInRepository());
    EXPECT_FALSE(WaitForUpdaterRecord(10000).empty()) << "the updater was not started";
    RemoveTree(staging);
}

INSTANTIATE_TEST_SUITE_P(Situations, UpdateRun, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<UpdateCase> &info) {
                             return info.param.name;
                         });

// Folder creation is not tried when the path would not fit: nothing is made at all.
TEST_F(MainWindowTest, TooLongAStagingPathCreatesNothing)
{
    std::string scratch = MakeScratchFolder("update-too-long");
    std::string deep = FolderOfLength(scratch, MAX_PATH - 10);
    {
        CurrentDirectory inside(deep);
        EXPECT_FALSE(RunUpdate());
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((deep + "\\Tovel*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// The whole run in-process: the success notice only after a started updater.
TEST_F(MainWindowTest, SuccessNoticeFollowsOnlyASuccessfulUpdate)
{
    std::string scratch = MakeScratchFolder("update-notice");
    CurrentDirectory inside(scratch);

    EXPECT_EQ(0, RunApplication(GetModuleHandleA(NULL), "", SW_HIDE));
    std::vector<std::string> expected = {
        "Please insert the Tovel Framix Installation CD and press OK.",
        "Driver update is incomplete."};
    EXPECT_EQ(expected, boxes.Texts()) << "no CD, then the prompt is closed";

    InsertCd('e');
    EXPECT_EQ(0, RunApplication(GetModuleHandleA(NULL), "", SW_HIDE));
    expected.push_back(UPDATED);
    EXPECT_EQ(expected, boxes.Texts());
    EXPECT_EQ(g_mainWindow, boxes.Boxes().back().owner);
    EXPECT_FALSE(WaitForUpdaterRecord(10000).empty()) << "the updater was not started";
}

} // namespace
