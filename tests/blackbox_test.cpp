// The built Update.exe in its own process, driven through its boxes as a user would.
#include <gtest/gtest.h>

#include "driver/scenario.h"
#include "test_support.h"

namespace
{

struct Scenario {
    const char *name;
    const char *arguments;
    bool cdIn;                // the CD is in E: from the start
    bool fileInTheWay;        // a plain file named TovelUpdate lies in the folder
    std::vector<int> answers; // to the boxes in turn
    int insertWhileBox;       // the CD goes into E: while this box is shown; -1 never
    std::vector<std::string> boxes;
    bool staged;  // folder, profile and registry value are written
    bool started; // the driver updater runs
};

void PrintTo(const Scenario &s, std::ostream *os)
{
    *os << s.name;
}

class ProgramScenario : public testing::TestWithParam<Scenario>
{
};

TEST_P(ProgramScenario, ShowsWhatTheUserMeetsAndExitsWithZero)
{
    const Scenario &s = GetParam();
    ResetWorld();
    std::string folder = MakeScratchFolder(std::string("program-") + s.name);
    if (s.cdIn)
        InsertCd('e');
    if (s.fileInTheWay)
        WriteFileBytes(folder + "\\TovelUpdate", "a file");

    std::vector<ScenarioAnswer> script;
    for (size_t i = 0; i < s.answers.size(); i++) {
        ScenarioAnswer answer{s.answers[i], nullptr};
        if ((int)i == s.insertWhileBox)
            answer.whileShown = [] { InsertCd('e'); };
        script.push_back(answer);
    }
    ScenarioResult result = RunUpdateProgram(std::string(" ") + s.arguments, folder, script);

    ASSERT_TRUE(result.started);
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(0u, result.exitCode);
    std::vector<std::string> texts;
    for (const BoxRecord &box : result.boxes) {
        texts.push_back(box.text);
        EXPECT_EQ(TITLE, box.caption);
        EXPECT_FALSE(box.missingButton) << box.text;
        std::vector<int> buttons =
            box.text == PROMPT ? std::vector<int>{IDOK, IDCANCEL} : std::vector<int>{IDOK};
        EXPECT_EQ(buttons, box.buttons) << box.text;
    }
    EXPECT_EQ(s.boxes, texts);

    std::string staging = folder + "\\TovelUpdate";
    std::string value, profile, source;
    DWORD type = 0, size = 0;
    EXPECT_EQ(s.staged, ReadStagingValue(&value, &type, &size));
    EXPECT_EQ(s.staged, ReadFileBytes(staging + "\\All-in-Wonder-NTSC.ini", &profile));
    if (s.staged) {
        EXPECT_EQ(staging + '\0', value);
        ReadFileBytes(TEST_PROFILE_SOURCE, &source);
        EXPECT_TRUE(profile == source);
    }
    std::string record = WaitForUpdaterRecord(s.started ? 10000 : 500);
    EXPECT_EQ(s.started, !record.empty());
    if (s.started) {
        EXPECT_EQ(std::string(INSTALLER_ON_E) + "\n", record.substr(0, record.find('\n') + 1))
            << "the updater's current directory";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ProgramScenario,
    testing::Values(
        Scenario{"CdAlreadyIn", "", true, false, {IDOK}, -1, {UPDATED}, true, true},
        Scenario{"NoCdThenCancel",
                 "",
                 false,
                 false,
                 {IDCANCEL, IDOK},
                 -1,
                 {PROMPT, INCOMPLETE},
                 true,
                 false},
        Scenario{"WrongCdThenInsertedDuringNotice",
                 "",
                 false,
                 false,
                 {IDOK, IDOK, IDOK},
                 1,
                 {PROMPT, WRONG_CD, UPDATED},
                 true,
                 true},
        Scenario{"FileInTheWay", "", true, true, {IDOK}, -1, {CREATE_FILE}, false, false},
        Scenario{"Cleanup", "-Cleanup", true, false, {}, -1, {}, false, false},
        Scenario{"CopyIni", "-CopyIni", true, false, {}, -1, {}, false, false},
        Scenario{"BothSwitches", "-CopyIni -Cleanup", true, false, {}, -1, {}, false, false},
        Scenario{"SwitchInsideAWord", "/x-Cleanupx", true, false, {}, -1, {}, false, false},
        Scenario{"LowerCaseSwitch", "-cleanup", true, false, {IDOK}, -1, {UPDATED}, true, true}),
    [](const testing::TestParamInfo<Scenario> &info) { return info.param.name; });

// The start-up's own split would take the whole of "…Update.exe"-Cleanup as the program's
// name and run an update; the switch must be seen.
TEST(ProgramStart, SwitchRightAfterTheQuotedNameIsSeen)
{
    ResetWorld();
    InsertCd('e');
    std::string folder = MakeScratchFolder("program-quoted-name");
    ScenarioResult result = RunUpdateProgram("-Cleanup", folder, {});
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());
    EXPECT_FALSE(PathExists(folder + "\\TovelUpdate"));
}

} // namespace
