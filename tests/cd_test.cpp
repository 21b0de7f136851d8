// Finding the installation CD, prompting for it, and starting the driver updater from it.
#include <gtest/gtest.h>

#include "app.h"
#include "update.h"
#include "test_support.h"

namespace
{

class CdPhase : public MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The drive layout these tests stand on.
        ASSERT_EQ((UINT)DRIVE_FIXED, GetDriveTypeA("D:\\"));
        for (const char *cd : {"E:\\", "G:\\", "Y:\\"})
            ASSERT_EQ((UINT)DRIVE_CDROM, GetDriveTypeA(cd)) << cd;
        GetCurrentDirectoryA(sizeof before, before);
    }
    std::string Found()
    {
        char root[4] = "";
        return FindInstallCd(root) ? root : "none";
    }
    // Lines of the stand-in updater's record: its directory, command line and path.
    std::vector<std::string> UpdaterRecord(DWORD timeoutMs = 10000)
    {
        std::string record = WaitForUpdaterRecord(timeoutMs);
        std::vector<std::string> lines;
        size_t start = 0, end;
        while ((end = record.find('\n', start)) != std::string::npos) {
            lines.push_back(record.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }
    void ExpectOwnDirectoryUnchanged()
    {
        char after[MAX_PATH];
        GetCurrentDirectoryA(sizeof after, after);
        EXPECT_STREQ(before, after);
    }
    char before[MAX_PATH];
};

TEST_F(CdPhase, ScanFindsOnlyCdRomDrivesWithTheMarkerInLetterOrder)
{
    EXPECT_EQ("none", Found());
    InsertCd('d'); // a hard disk holding the marker is not the CD
    EXPECT_EQ("none", Found());
    InsertCd('y');
    EXPECT_EQ("Y:\\", Found());
    InsertCd('g');
    EXPECT_EQ("G:\\", Found());
    InsertCd('e');
    EXPECT_EQ("E:\\", Found());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CdPhase, ScanLeavesTheErrorModeAsItFoundIt)
{
    for (UINT mode : {0u, (UINT)SEM_NOOPENFILEERRORBOX}) {
        SetErrorMode(mode);
        Found();
        EXPECT_EQ(mode, SetErrorMode(0));
    }
}

TEST_F(CdPhase, CdAlreadyInStartsTheUpdaterWithoutAsking)
{
    InsertCd('e');
    EXPECT_TRUE(InstallDriverFromCd());
    EXPECT_TRUE(boxes.Boxes().empty());
    std::vector<std::string> record = UpdaterRecord();
    ASSERT_EQ(3u, record.size());
    EXPECT_EQ(INSTALLER_ON_E, record[0]);
    // Quoted, so that the spaces cannot split the program's name.
    EXPECT_EQ(std::string("\"") + INSTALLER_ON_E + "\\Update.exe\"", record[1]);
    ExpectOwnDirectoryUnchanged();
}

struct PromptCase {
    const char *name;
    std::vector<int> answers; // to the boxes in turn
    int insertWhileBox;       // the CD goes into E: while this box is shown; -1 never
    std::vector<std::string> expectedBoxes;
    bool started;
};

void PrintTo(const PromptCase &c, std::ostream *os)
{
    *os << c.name;
}

class CdPrompt : public CdPhase, public testing::WithParamInterface<PromptCase>
{
};

TEST_P(CdPrompt, AsksUntilTheCdIsFoundOrTheUserGivesUp)
{
    const PromptCase &c = GetParam();
    for (size_t i = 0; i < c.answers.size(); i++) {
        if ((int)i == c.insertWhileBox)
            boxes.Answer(c.answers[i], [](HWND) { InsertCd('e'); });
        else
            boxes.Answer(c.answers[i]);
    }
    EXPECT_EQ(c.started, (bool)InstallDriverFromCd());

    std::vector<std::string> prompts = boxes.Texts();
    EXPECT_EQ(c.expectedBoxes, prompts);
    for (const BoxRecord &box : boxes.Boxes()) {
        EXPECT_EQ(TITLE, box.caption);
        EXPECT_EQ(g_mainWindow, box.owner);
        EXPECT_FALSE(box.missingButton);
        std::vector<int> buttons =
            box.text == PROMPT ? std::vector<int>{IDOK, IDCANCEL} : std::vector<int>{IDOK};
        EXPECT_EQ(buttons, box.buttons) << box.text;
    }
    EXPECT_EQ(c.started, !UpdaterRecord(c.started ? 10000 : 1000).empty());
    ExpectOwnDirectoryUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CdPrompt,
    testing::Values(PromptCase{"Cancel", {IDCANCEL, IDOK}, -1, {PROMPT, INCOMPLETE}, false},
                    PromptCase{"CloseBox", {CLOSE_BOX, IDOK}, -1, {PROMPT, INCOMPLETE}, false},
                    PromptCase{"InsertThenOk", {IDOK}, 0, {PROMPT}, true},
                    PromptCase{"OkWithoutCdThenCancel",
                               {IDOK, IDOK, IDCANCEL, IDOK},
                               -1,
                               {PROMPT, WRONG_CD, PROMPT, INCOMPLETE},
                               false},
                    // The drives are searched again after the notice: no second prompt.
                    PromptCase{
                        "InsertWhileWrongCdNotice", {IDOK, IDOK}, 1, {PROMPT, WRONG_CD}, true}),
    [](const testing::TestParamInfo<PromptCase> &info) { return info.param.name; });

TEST_F(CdPhase, CdWithoutTheInstallerFolderFailsSilently)
{
    InsertCd('e', false);
    // Unquoted, the command would start this program in place of the updater.
    ASSERT_TRUE(CopyFileA(TEST_STAND_IN_EXE, "E:\\Third.exe", FALSE));
    EXPECT_FALSE(InstallDriverFromCd());
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(UpdaterRecord(2000).empty()) << "E:\\Third.exe was started";
    ExpectOwnDirectoryUnchanged();
}

TEST(StartResult, OnlyValuesAbove31MeanStarted)
{
    for (UINT failure : {0u, 2u, 3u, 11u, 31u})
        EXPECT_FALSE(IsStartResultSuccess(failure)) << failure;
    for (UINT success : {32u, 33u, 0xFFFFu})
        EXPECT_TRUE(IsStartResultSuccess(success)) << success;
}

} // namespace
