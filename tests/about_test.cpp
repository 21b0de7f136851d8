// The menu commands, the About box and the accelerators that open it.
#include <gtest/gtest.h>

#include "app.h"
#include "resource.h"
#include "driver/scenario.h"
#include "test_support.h"

namespace
{

class Commands : public MainWindowTest
{
};

TEST_F(Commands, AboutOpensAModalBoxOwnedByTheMainWindow)
{
    boxes.Answer(IDOK);
    EXPECT_EQ(0, SendMessageA(g_mainWindow, WM_COMMAND, CMD_ABOUT, 0));
    ASSERT_EQ(1u, boxes.Boxes().size());
    const BoxRecord &box = boxes.Boxes()[0];
    EXPECT_EQ("About", box.caption);
    EXPECT_EQ("Tovel Framix Install Update Version 1.0", box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_EQ(g_mainWindow, box.owner);
    EXPECT_FALSE(box.missingButton);
}

TEST_F(Commands, ExitEndsTheLoopWithStatusZero)
{
    EXPECT_EQ(0, SendMessageA(g_mainWindow, WM_COMMAND, CMD_EXIT, 0));
    EXPECT_FALSE(IsWindow(g_mainWindow));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Commands, OtherCommandsDoNothing)
{
    SendMessageA(g_mainWindow, WM_COMMAND, 106, 0);
    EXPECT_TRUE(IsWindow(g_mainWindow));
    EXPECT_TRUE(boxes.Boxes().empty());
}

struct CloseCase {
    const char *name;
    int button; // pressed, or NO_PRESS when a key does it
    WPARAM key; // sent to the OK button while the box is shown; 0 for none
    INT_PTR result;
};

void PrintTo(const CloseCase &c, std::ostream *os)
{
    *os << c.name;
}

class AboutBoxClosing : public MainWindowTest, public testing::WithParamInterface<CloseCase>
{
};

TEST_P(AboutBoxClosing, EndsWithTheCommandThatClosedIt)
{
    const CloseCase &c = GetParam();
    WPARAM key = c.key;
    boxes.Answer(c.button, [key](HWND box) {
        if (key)
            PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, key, 0);
    });
    EXPECT_EQ(c.result, DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_ABOUT),
                                        g_mainWindow, AboutDialogProc, 0));
    EXPECT_EQ(1u, boxes.Boxes().size());
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxClosing,
                         testing::Values(CloseCase{"OkButton", IDOK, 0, IDOK},
                                         CloseCase{"Enter", NO_PRESS, VK_RETURN, IDOK},
                                         CloseCase{"Escape", NO_PRESS, VK_ESCAPE, IDCANCEL},
                                         CloseCase{"CloseButton", CLOSE_BOX, 0, IDCANCEL}),
                         [](const testing::TestParamInfo<CloseCase> &info) {
                             return info.param.name;
                         });

struct KeyCase {
    const char *name;
    UINT message;
    char key;
    bool opensAbout;
};

void PrintTo(const KeyCase &c, std::ostream *os)
{
    *os << c.name;
}

class Accelerators : public MainWindowTest, public testing::WithParamInterface<KeyCase>
{
};

TEST_P(Accelerators, AltQuestionMarkAndAltSlashOpenTheAboutBox)
{
    const KeyCase &c = GetParam();
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAIN));
    ASSERT_TRUE(table != NULL);
    // As the keyboard leaves it: Alt held in the key state, and bit 29 of the message set.
    bool alt = c.message == WM_SYSCHAR;
    BYTE keys[256], saved[256];
    GetKeyboardState(saved);
    memcpy(keys, saved, sizeof keys);
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg = {};
    msg.hwnd = g_mainWindow;
    msg.message = c.message;
    msg.wParam = (WPARAM)c.key;
    msg.lParam = alt ? 1 << 29 : 0;
    boxes.Answer(IDOK);
    EXPECT_EQ(c.opensAbout, TranslateAcceleratorA(g_mainWindow, table, &msg) != 0);
    SetKeyboardState(saved);
    std::vector<std::string> captions;
    for (const BoxRecord &box : boxes.Boxes())
        captions.push_back(box.caption);
    EXPECT_EQ(c.opensAbout ? std::vector<std::string>{"About"} : std::vector<std::string>{},
              captions);
}

INSTANTIATE_TEST_SUITE_P(Keys, Accelerators,
                         testing::Values(KeyCase{"AltQuestionMark", WM_SYSCHAR, '?', true},
                                         KeyCase{"AltSlash", WM_SYSCHAR, '/', true},
                                         KeyCase{"QuestionMark", WM_CHAR, '?', false},
                                         KeyCase{"Slash", WM_CHAR, '/', false},
                                         KeyCase{"AltA", WM_SYSCHAR, 'a', false}),
                         [](const testing::TestParamInfo<KeyCase> &info) {
                             return info.param.name;
                         });

// Commands that reach the running program while one of its boxes is open.
void SendToProgram(WPARAM command)
{
    HWND main = FindWindowA("UPDATE", "Tovel Framix Install Update");
    PostMessageA(main, WM_COMMAND, command, 0);
}

struct CommandCase {
    const char *name;
    bool cdIn;
    std::vector<ScenarioAnswer> script;
    std::vector<std::string> captionsAndTexts; // "caption: text" of each box
    bool started;
};

void PrintTo(const CommandCase &c, std::ostream *os)
{
    *os << c.name;
}

const char PROMPT_BOX[] = "Tovel Framix Install Update: Please insert the Tovel Framix "
                          "Installation CD and press OK.";

class CommandDuringBox : public testing::TestWithParam<CommandCase>
{
};

TEST_P(CommandDuringBox, NeitherCrashesNorHangsAndExitsWithZero)
{
    const CommandCase &c = GetParam();
    ResetWorld();
    std::string folder = MakeScratchFolder(std::string("command-") + c.name);
    if (c.cdIn)
        InsertCd('e');
    ScenarioResult result = RunUpdateProgram("", folder, c.script);
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(0u, result.exitCode);
    std::vector<std::string> seen;
    for (const BoxRecord &box : result.boxes)
        seen.push_back(box.caption + ": " + box.text);
    EXPECT_EQ(c.captionsAndTexts, seen);
    EXPECT_EQ(c.started, !WaitForUpdaterRecord(c.started ? 10000 : 1000).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandDuringBox,
    testing::Values(
        // Exit while the CD is asked for: the run ends there, with nothing more shown.
        CommandCase{"ExitAtCdPrompt",
                    false,
                    {{NO_PRESS, [] { SendToProgram(CMD_EXIT); }}},
                    {PROMPT_BOX},
                    false},
        // Exit while "not the correct CD" is up, even as the CD goes in: nothing starts.
        CommandCase{"ExitAtWrongCdNotice",
                    false,
                    {{IDOK, nullptr},
                     {NO_PRESS,
                      [] {
                          InsertCd('e');
                          SendToProgram(CMD_EXIT);
                      }}},
                    {PROMPT_BOX, "Tovel Framix Install Update: This is not the correct CD."},
                    false},
        CommandCase{"ExitAtSuccessNotice",
                    true,
                    {{NO_PRESS, [] { SendToProgram(CMD_EXIT); }}},
                    {"Tovel Framix Install Update: Tovel Framix Installer has now been "
                     "updated.\n\nPlease run the Setup program form the Tovel Framix CD."},
                    true},
        // About opens over the prompt and closes; the prompt's own answer then counts.
        CommandCase{
            "AboutAtCdPrompt",
            false,
            {{IDCANCEL, [] { SendToProgram(CMD_ABOUT); }}, {IDOK, nullptr}, {IDOK, nullptr}},
            {PROMPT_BOX, "About: Tovel Framix Install Update Version 1.0",
             "Tovel Framix Install Update: Driver update is incomplete."},
            false}),
    [](const testing::TestParamInfo<CommandCase> &info) { return info.param.name; });

} // namespace
