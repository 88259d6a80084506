// Resource module: resources only (kxres.rc); the code is just the entry point.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
