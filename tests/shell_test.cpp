// Start-up: argument text, run modes, exit status and ReportMessage.
#include <gtest/gtest.h>

#include "app.h"
#include "resource.h"
#include "box_recorder.h"
#include "test_support.h"

namespace
{

struct ArgumentCase {
    const char *commandLine;
    const char *argumentText;
};

void PrintTo(const ArgumentCase &c, std::ostream *os)
{
    *os << '[' << c.commandLine << ']';
}

class ArgumentText : public testing::TestWithParam<ArgumentCase>
{
};

TEST_P(ArgumentText, IsTheLineWithoutTheProgramName)
{
    EXPECT_STREQ(GetParam().argumentText, SkipProgramName(GetParam().commandLine));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentText,
    testing::Values(ArgumentCase{"Update.exe", ""}, ArgumentCase{"Update.exe -Cleanup", "-Cleanup"},
                    ArgumentCase{"Update.exe \t  -CopyIni  x ", "-CopyIni  x "},
                    ArgumentCase{"\"C:\\a -Cleanup\\Update.exe\" -CopyIni", "-CopyIni"},
                    ArgumentCase{"\"C:\\a -Cleanup\\Update.exe\"", ""},
                    // The name ends at its closing quote even with no space after it.
                    ArgumentCase{"\"C:\\Update.exe\"-Cleanup", "-Cleanup"},
                    ArgumentCase{"\"C:\\no closing quote -Cleanup", ""},
                    ArgumentCase{"C:\\Up\"da te.exe -x", "te.exe -x"}, ArgumentCase{"", ""}));

struct ModeCase {
    const char *argumentText;
    RunMode mode;
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << '[' << c.argumentText << ']';
}

class RunModeChoice : public testing::TestWithParam<ModeCase>
{
};

TEST_P(RunModeChoice, FollowsTheSwitches)
{
    g_runMode = (RunMode)0;
    ParseRunMode(GetParam().argumentText);
    EXPECT_EQ(GetParam().mode, g_runMode) << "argument text: " << GetParam().argumentText;
}

INSTANTIATE_TEST_SUITE_P(
    ArgumentTexts, RunModeChoice,
    testing::Values(ModeCase{"", Update}, ModeCase{"-Cleanup", Cleanup},
                    ModeCase{"-CopyIni", CopyIni}, ModeCase{"-CopyIni -Cleanup", Cleanup},
                    ModeCase{"-Cleanup -CopyIni", Cleanup}, ModeCase{"abc-CopyInixyz", CopyIni},
                    ModeCase{"x-Cleanup2", Cleanup}, ModeCase{"-cleanup", Update},
                    ModeCase{"-copyini", Update}, ModeCase{"/Cleanup", Update},
                    ModeCase{"/CopyIni", Update}, ModeCase{"-Clean up", Update},
                    ModeCase{"--CopyIni", CopyIni}));

TEST(SwitchSearch, NeverMatchesFromTheTrailByteOfADoubleByteCharacter)
{
    // 0x82 leads a double-byte character in code page 932, so the dash is its trail byte.
    EXPECT_FALSE(ContainsText("\x82-CopyIni", "-CopyIni", 932));
    EXPECT_TRUE(ContainsText("\x82\x60-CopyIni", "-CopyIni", 932));
    // In a single-byte code page the same bytes hold the switch.
    EXPECT_TRUE(ContainsText("\x82-CopyIni", "-CopyIni", 1252));
}

// A run in-process, in an empty folder of its own, with every box recorded.
class InProcessRun : public testing::Test
{
  protected:
    void SetUp() override
    {
        ResetWorld();
        m_folder = MakeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    int Run(const char *argumentText)
    {
        CurrentDirectory inside(m_folder);
        return RunApplication(GetModuleHandleA(NULL), argumentText, SW_HIDE);
    }
    bool FolderIsEmpty()
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_folder + "\\*").c_str(), &found);
        bool empty = true;
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (lstrcmpA(found.cFileName, ".") && lstrcmpA(found.cFileName, ".."))
                    empty = false;
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        return empty;
    }
    std::string m_folder;
    BoxRecorder m_boxes;
};

TEST_F(InProcessRun, QuietModesDoNothingAndExitWithZero)
{
    for (const char *argumentText : {"-Cleanup", "-CopyIni", "-CopyIni -Cleanup"}) {
        SCOPED_TRACE(argumentText);
        EXPECT_EQ(0, Run(argumentText));
        EXPECT_TRUE(m_boxes.Boxes().empty());
        EXPECT_TRUE(FolderIsEmpty());
        std::string value;
        DWORD type, size;
        EXPECT_FALSE(ReadStagingValue(&value, &type, &size));
    }
}

TEST_F(InProcessRun, MainWindowIsTitledAndPlacedOffScreen)
{
    EXPECT_EQ(0, Run("-Cleanup"));
    // The loop ends on the quit message with the window still in place.
    ASSERT_TRUE(IsWindow(g_mainWindow));
    char title[100];
    GetWindowTextA(g_mainWindow, title, sizeof title);
    EXPECT_STREQ(TITLE, title);
    char className[100];
    GetClassNameA(g_mainWindow, className, sizeof className);
    EXPECT_STREQ("UPDATE", className);
    RECT rect;
    GetWindowRect(g_mainWindow, &rect);
    EXPECT_EQ(-2, rect.left);
    EXPECT_EQ(-2, rect.top);
    EXPECT_EQ((LONG)WS_OVERLAPPEDWINDOW,
              GetWindowLongA(g_mainWindow, GWL_STYLE) & WS_OVERLAPPEDWINDOW);
    HMENU menu = GetMenu(g_mainWindow);
    EXPECT_EQ(2, GetMenuItemCount(menu));
    DestroyWindow(g_mainWindow);
    MSG quit;
    PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(InProcessRun, ReportMessageShowsTheStringInAnOkBoxOwnedByTheMainWindow)
{
    ASSERT_EQ(0, Run("-Cleanup"));
    m_boxes.Answer(IDOK);
    EXPECT_EQ(IDOK, ReportMessage(IDS_UPDATED));
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    const BoxRecord &box = m_boxes.Boxes()[0];
    EXPECT_EQ(TITLE, box.caption);
    EXPECT_EQ("Tovel Framix Installer has now been updated.\n\nPlease run the Setup program "
              "form the Tovel Framix CD.",
              box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_EQ(g_mainWindow, box.owner);
    EXPECT_FALSE(box.missingButton);
    DestroyWindow(g_mainWindow);
    MSG quit;
    PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
}

} // namespace
