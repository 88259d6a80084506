#include <windows.h>

#include "environment/global.h"
#include "environment/log.h"

namespace {

// The run-time environment's start-up; the wizard and the rest of the application object
// come later. Non-zero when start-up must stop (the log says why).
int RunStartUp(CLog& log) {
    CGlobal global;
    if (!global.Initialise()) {
        log.Write("Initilize global variable fail");
        return 1;
    }
    log.Write("Initialization of the run-time environment complete; the wizard is not part of this build yet");
    return 0;
}  // the external modules are freed here, before the log closes

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Load system libraries from the system folder only, never from the medium's or the
    // current folder (DLL hijacking).
    SetDllDirectoryA("");
    CLog log;
    SetActiveLog(&log);
    int exitCode = RunStartUp(log);
    SetActiveLog(nullptr);
    return exitCode;
}
