// Runs a program in its own process and answers the boxes it shows, as its user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "../box_recorder.h"

struct ScenarioAnswer {
    int button;                       // IDOK, IDCANCEL or CLOSE_BOX
    std::function<void()> whileShown; // done before the button is pressed
};

struct ScenarioResult {
    bool started = false;
    bool timedOut = false;
    DWORD exitCode = 0;
    std::vector<BoxRecord> boxes;
};

// Chooses the answer to a box that the script does not cover, told how many prompts (boxes
// with Cancel) came before it.
typedef std::function<int(const BoxRecord &box, size_t index)> AnswerPolicy;

// OK on notices; OK on the first OK/Cancel prompt, as if the CD were now in, Cancel after.
int AnswerAsAUser(const BoxRecord &box, size_t promptsBefore);

// Starts commandLine in folder, answers each box of that process with the next scripted
// answer (then with the policy), and waits for the process to end; kills it after timeoutMs.
// onShown, if given, sees each box before it is answered; onBox is told about each box and
// its answer as it happens.
ScenarioResult RunScenario(const std::string &commandLine, const std::string &folder,
                           const std::vector<ScenarioAnswer> &script, DWORD timeoutMs,
                           AnswerPolicy policy = AnswerAsAUser,
                           std::function<void(const BoxRecord &, int)> onBox = nullptr,
                           std::function<void(HWND, size_t)> onShown = nullptr);
