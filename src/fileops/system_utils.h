#pragma once
// Questions about the running Windows system and small system changes. No state.
#include <windows.h>

#include <string>

namespace setup {

// OS codes and families (family 10: Windows 9x, 15: NT 3.x/4.0, 17: 2000 and later).
bool GetOsCode(unsigned long* osCode, unsigned long* osFamily);
bool IsWindowsMe();
bool IsAdministrator();
bool IsPrinterOrDriverInstalled(const char* name, bool byPrinter);
bool IsPortPresent(const char* portName);
int GetMediumType(const char* path);  // 0 unknown, 1 removable, 2 fixed, 3 CD-ROM, 4 RAM disk, 5 network
bool FileExists(const char* path);
unsigned long SetSourcePath(const char* path);
unsigned long RestoreSourcePath();
unsigned long StartServiceAndWait(const char* name, unsigned long* state);
unsigned long StopServiceAndWait(const char* name, unsigned long* state);
unsigned long QueryServiceState(const char* name, unsigned long* state);
// In the foreground form whileWaiting runs after each 1-second wait that timed out (it brings
// the new-hardware wizard forward through the utility module) and there is no time limit;
// the background form gives up after 300 seconds. False when nothing was pending.
bool WaitForDeviceInstalls(bool foreground, void (*whileWaiting)() = nullptr);
bool DeleteFileAndEmptyFolders(const char* path, bool keepFolders);
bool RemoveFolderAndEmptyParents(const char* path);
void ShowSystemError(unsigned long code, const char* caption);
// The full path of the running program's file, however long; empty when Windows cannot tell.
std::string RunningProgramPath();

}  // namespace setup
