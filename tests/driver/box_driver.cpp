// Runs a program, answers each of its boxes as a user would and prints what each box said.
//
//   box_driver [--cwd FOLDER] [--timeout SECONDS] -- PROGRAM [ARGUMENTS...]
//
// Exits with the program's exit status, or 124 when it had to be stopped.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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
    return "?";
}

static std::string Quote(const char *argument)
{
    if (*argument && !strpbrk(argument, " \t\""))
        return argument;
    return std::string("\"") + argument + "\"";
}

int main(int argc, char **argv)
{
    std::string folder;
    DWORD timeoutMs = 120000;
    int i = 1;
    for (; i < argc && strcmp(argv[i], "--") != 0; i++) {
        if (strcmp(argv[i], "--cwd") == 0 && i + 1 < argc)
            folder = argv[++i];
        else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
            timeoutMs = (DWORD)atoi(argv[++i]) * 1000;
    }
    if (i + 1 >= argc) {
        fprintf(stderr, "usage: box_driver [--cwd FOLDER] [--timeout SECONDS] -- PROGRAM ...\n");
        return 2;
    }
    std::string commandLine = Quote(argv[i + 1]);
    for (int j = i + 2; j < argc; j++)
        commandLine += " " + Quote(argv[j]);

    printf("run: %s\n", commandLine.c_str());
    fflush(stdout);
    ScenarioResult result =
        RunScenario(commandLine, folder, {}, timeoutMs, AnswerAsAUser,
                    [](const BoxRecord &box, int button) {
                        printf("box: [%s]\n", box.caption.c_str());
                        for (const char *line = box.text.c_str(); *line;) {
                            const char *end = strchr(line, '\n');
                            size_t length = end ? (size_t)(end - line) : strlen(line);
                            printf("  | %.*s\n", (int)length, line);
                            line += length + (end ? 1 : 0);
                        }
                        printf("  answered: %s\n", ButtonName(button));
                        fflush(stdout);
                    });
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
