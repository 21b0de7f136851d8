#include "box_recorder.h"

#include <algorithm>

static thread_local BoxRecorder *t_recorder;

static std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

static BOOL CALLBACK FindStaticText(HWND child, LPARAM lParam)
{
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    auto *text = reinterpret_cast<std::string *>(lParam);
    if (lstrcmpiA(className, "Static") == 0 &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        *text = WindowText(child);
        return !text->empty() ? FALSE : TRUE;
    }
    return TRUE;
}

BoxRecord ReadBox(HWND box)
{
    BoxRecord record;
    record.caption = WindowText(box);
    HWND textControl = GetDlgItem(box, 0xFFFF);
    if (textControl)
        record.text = WindowText(textControl);
    else
        EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&record.text));
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        // Only buttons: other controls may carry the same ids.
        char className[16] = "";
        HWND control = GetDlgItem(box, id);
        if (control && GetClassNameA(control, className, sizeof className) &&
            lstrcmpiA(className, "Button") == 0)
            record.buttons.push_back(id);
    }
    record.owner = GetWindow(box, GW_OWNER);
    return record;
}

bool PressButton(HWND box, int button)
{
    if (button == NO_PRESS)
        return true;
    if (button == CLOSE_BOX)
        return PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
    HWND control = GetDlgItem(box, button);
    char className[16] = "";
    if (!control || !GetClassNameA(control, className, sizeof className) ||
        lstrcmpiA(className, "Button") != 0)
        return false;
    return PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != 0;
}

BoxRecorder::BoxRecorder()
{
    t_recorder = this;
    m_hook = SetWindowsHookExA(WH_CBT, HookProc, NULL, GetCurrentThreadId());
}

BoxRecorder::~BoxRecorder()
{
    UnhookWindowsHookEx(m_hook);
    t_recorder = nullptr;
}

void BoxRecorder::Answer(int button, std::function<void(HWND)> whileShown)
{
    m_script.push_back({button, std::move(whileShown)});
}

std::vector<std::string> BoxRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const BoxRecord &box : m_boxes)
        texts.push_back(box.text);
    return texts;
}

void BoxRecorder::OnActivate(HWND box)
{
    char className[16] = "";
    GetClassNameA(box, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0)
        return;
    // A box is activated again when a box it owns closes; answer it once only.
    if (std::find(m_seen.begin(), m_seen.end(), box) != m_seen.end())
        return;
    m_seen.push_back(box);
    m_boxes.push_back(ReadBox(box));
    Step step{CLOSE_BOX, nullptr};
    if (m_next < m_script.size())
        step = m_script[m_next++];
    if (step.whileShown)
        step.whileShown(box);
    if (!PressButton(box, step.button)) {
        m_boxes.back().missingButton = true;
        PressButton(box, CLOSE_BOX);
    }
}

void BoxRecorder::OnDestroy(HWND window)
{
    m_seen.erase(std::remove(m_seen.begin(), m_seen.end(), window), m_seen.end());
}

LRESULT CALLBACK BoxRecorder::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && t_recorder)
        t_recorder->OnActivate(reinterpret_cast<HWND>(wParam));
    if (code == HCBT_DESTROYWND && t_recorder)
        t_recorder->OnDestroy(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(NULL, code, wParam, lParam);
}
