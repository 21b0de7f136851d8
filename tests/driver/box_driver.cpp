// Runs a program, answers each of its boxes and prints what each box said.
//
//   box_driver [--cwd FOLDER] [--timeout SECONDS] [--script STEPS] [--capture FOLDER]
//              -- PROGRAM [ARGUMENTS...]
//
// STEPS answers the boxes in turn, comma-separated: ok, cancel or close, optionally after
// "about+", which first sends the About command to the program's main window. Boxes beyond
// the script are answered as a user would: OK, and Cancel on a repeated prompt.
// --capture saves a picture of each box, before it is answered, as FOLDER\box-N.bmp.
// Exits with the program's exit status, or 124 when it had to be stopped.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "scenario.h"

static const char *ButtonName(int button)
{
    switch (button) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case CLOSE_BOX:
        return "close";
    }
    return "nothing";
}

static std::string Quote(const char *argument)
{
    if (*argument && !strpbrk(argument, " \t\""))
        return argument;
    return std::string("\"") + argument + "\"";
}

static bool ParseScript(const char *text, std::vector<ScenarioAnswer> *script)
{
    std::string steps = text;
    size_t start = 0;
    while (start <= steps.size()) {
        size_t end = steps.find(',', start);
        std::string step = steps.substr(start, end == std::string::npos ? end : end - start);
        ScenarioAnswer answer{IDOK, nullptr};
        if (step.compare(0, 6, "about+") == 0) {
            step = step.substr(6);
            answer.whileShown = [] {
                HWND main = FindWindowA("UPDATE", NULL);
                PostMessageA(main, WM_COMMAND, 104, 0);
            };
        }
        if (step == "ok")
            answer.button = IDOK;
        else if (step == "cancel")
            answer.button = IDCANCEL;
        else if (step == "close")
            answer.button = CLOSE_BOX;
        else
            return false;
        script->push_back(answer);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

// Saves what the screen shows of a window as a 24-bit BMP file.
static bool CaptureWindow(HWND window, const std::string &path)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    DWORD stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(stride * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), (BITMAPINFO *)&info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + (DWORD)pixels.size();
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    fwrite(&header, sizeof header, 1, file);
    fwrite(&info, sizeof info, 1, file);
    fwrite(pixels.data(), 1, pixels.size(), file);
    return fclose(file) == 0;
}

int main(int argc, char **argv)
{
    std::string folder, captures;
    DWORD timeoutMs = 120000;
    std::vector<ScenarioAnswer> script;
    int i = 1;
    for (; i < argc && strcmp(argv[i], "--") != 0; i++) {
        if (strcmp(argv[i], "--cwd") == 0 && i + 1 < argc)
            folder = argv[++i];
        else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
            timeoutMs = (DWORD)atoi(argv[++i]) * 1000;
        else if (strcmp(argv[i], "--capture") == 0 && i + 1 < argc)
            captures = argv[++i];
        else if (strcmp(argv[i], "--script") == 0 && i + 1 < argc &&
                 ParseScript(argv[i + 1], &script))
            i++;
        else
            break;
    }
    if (i + 1 >= argc || strcmp(argv[i], "--") != 0) {
        fprintf(stderr, "usage: box_driver [--cwd FOLDER] [--timeout SECONDS] [--script STEPS] "
                        "[--capture FOLDER] -- PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    std::string commandLine = Quote(argv[i + 1]);
    for (int j = i + 2; j < argc; j++)
        commandLine += " " + Quote(argv[j]);

    printf("run: %s\n", commandLine.c_str());
    fflush(stdout);
    auto print = [](const BoxRecord &box, int button) {
        printf("box: [%s]\n", box.caption.c_str());
        for (const char *line = box.text.c_str(); *line;) {
            const char *end = strchr(line, '\n');
            size_t length = end ? (size_t)(end - line) : strlen(line);
            printf("  | %.*s\n", (int)length, line);
            line += length + (end ? 1 : 0);
        }
        printf("  answered: %s\n", ButtonName(button));
        fflush(stdout);
    };
    auto capture = [&captures](HWND box, size_t index) {
        if (captures.empty())
            return;
        Sleep(500); // let it paint
        CaptureWindow(box, captures + "\\box-" + std::to_string(index) + ".bmp");
    };
    ScenarioResult result =
        RunScenario(commandLine, folder, script, timeoutMs, AnswerAsAUser, print, capture);
    if (!result.started) {
        printf("could not start the program (error %lu)\n", GetLastError());
        return 2;
    }
    if (result.timedOut) {
        printf("stopped: still running after %lu s\n", timeoutMs / 1000);
        return 124;
    }
    printf("exit status: %lu\n", result.exitCode);
    return (int)result.exitCode;
}
