// Answers and records the dialog boxes that this thread shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct BoxRecord {
    std::string caption;
    std::string text;
    std::vector<int> buttons; // ids of the buttons present, in IDOK..IDNO order
    HWND owner = NULL;
    bool missingButton = false; // the scripted answer named a button the box lacks
};

// Pseudo-answers: close the box with its system menu, as the title-bar X does; or press
// nothing, leaving it to the action done while the box is shown.
const int CLOSE_BOX = 0;
const int NO_PRESS = -1;

// While it lives, every #32770 box this thread activates is recorded and answered with the
// next scripted answer (after running its action), or closed when the script has run out.
class BoxRecorder
{
  public:
    BoxRecorder();
    ~BoxRecorder();
    void Answer(int button, std::function<void(HWND)> whileShown = nullptr);
    const std::vector<BoxRecord> &Boxes() const
    {
        return m_boxes;
    }
    std::vector<std::string> Texts() const;

  private:
    struct Step {
        int button;
        std::function<void(HWND)> whileShown;
    };
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND box);
    void OnDestroy(HWND window);

    HHOOK m_hook;
    std::vector<Step> m_script;
    size_t m_next = 0;
    std::vector<BoxRecord> m_boxes;
    std::vector<HWND> m_seen;
};

// Reads a box's caption, text and buttons; works across processes too.
BoxRecord ReadBox(HWND box);

// Presses a button of a box (or closes it), only if the box has that button.
bool PressButton(HWND box, int button);
