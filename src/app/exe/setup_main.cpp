#include <windows.h>

#include "environment/log.h"

// Start-up grows with the application object; for now the run opens its log and ends.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Load system libraries from the system folder only, never from the medium's or the
    // current folder (DLL hijacking).
    SetDllDirectoryA("");
    CLog log;
    SetActiveLog(&log);
    log.Write("Setup started; log file %s", log.FilePath().c_str());
    SetActiveLog(nullptr);
    return 0;
}
