// Process entry: hands the argument text and show state to the application.
#include "app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState)
{
    // The start-up's own split treats quotes differently, so take the line as the system has it.
    return RunApplication(instance, SkipProgramName(GetCommandLineA()), showState);
}
