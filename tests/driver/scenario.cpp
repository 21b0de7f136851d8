#include "scenario.h"

#include <algorithm>

namespace
{

struct BoxSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM lParam)
{
    auto *search = reinterpret_cast<BoxSearch *>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (processId == search->processId && lstrcmpA(className, "#32770") == 0 &&
        IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

} // namespace

// A box with Cancel asks something; one with OK alone only tells.
static bool IsPrompt(const BoxRecord &box)
{
    return std::find(box.buttons.begin(), box.buttons.end(), IDCANCEL) != box.buttons.end();
}

int AnswerAsAUser(const BoxRecord &box, size_t promptsBefore)
{
    if (!IsPrompt(box))
        return IDOK;
    return promptsBefore == 0 ? IDOK : IDCANCEL;
}

ScenarioResult RunScenario(const std::string &commandLine, const std::string &folder,
                           const std::vector<ScenarioAnswer> &script, DWORD timeoutMs,
                           AnswerPolicy policy, std::function<void(const BoxRecord &, int)> onBox,
                           std::function<void(HWND, size_t)> onShown)
{
    ScenarioResult result;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string line = commandLine;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL,
                        folder.empty() ? NULL : folder.c_str(), &startup, &process))
        return result;
    result.started = true;
    CloseHandle(process.hThread);

    std::vector<HWND> answered;
    size_t prompts = 0;
    DWORD start = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > timeoutMs) {
            result.timedOut = true;
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
        // Forget boxes that have gone, so a reused handle counts as a new box.
        answered.erase(std::remove_if(answered.begin(), answered.end(),
                                      [](HWND box) { return !IsWindow(box); }),
                       answered.end());
        BoxSearch search{process.dwProcessId, {}};
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
        for (HWND box : search.found) {
            if (std::find(answered.begin(), answered.end(), box) != answered.end())
                continue;
            answered.push_back(box);
            BoxRecord record = ReadBox(box);
            size_t index = result.boxes.size();
            if (onShown)
                onShown(box, index);
            int button;
            if (index < script.size()) {
                if (script[index].whileShown)
                    script[index].whileShown();
                button = script[index].button;
            } else {
                button = policy(record, prompts);
            }
            if (IsPrompt(record))
                prompts++;
            if (!PressButton(box, button)) {
                record.missingButton = true;
                PressButton(box, CLOSE_BOX);
            }
            if (onBox)
                onBox(record, button);
            result.boxes.push_back(record);
        }
    }
    if (!result.timedOut)
        GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hProcess);
    return result;
}
