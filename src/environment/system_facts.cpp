#include "environment/system_facts.h"

#include "environment/path_rules.h"
#include "fileops/system_utils.h"
#include "fileops/windows_bitness.h"
#include "profile/registry.h"

#include <windows.h>

namespace {

constexpr BYTE kServerProductType = 3;
constexpr WORD kTerminalSuite = 0x10;

std::string SystemDirectory() {
    char buffer[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string RegistryText(const char* key, const char* name) {
    char buffer[MAX_PATH] = {};
    if (CRegistry::GetValue(key, name, buffer, HKEY_LOCAL_MACHINE, sizeof(buffer)) != ERROR_SUCCESS) return {};
    return buffer;
}

// On a Terminal Server GetWindowsDirectory names the user's private folder, not the system's.
std::string WindowsDirectory(const OSVERSIONINFOEXA& info, bool extended, const std::string& systemDir) {
    bool terminalServer = extended && info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                          info.wProductType == kServerProductType && (info.wSuiteMask & kTerminalSuite);
    if (terminalServer) {
        std::string root = RegistryText("Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot");
        return root.empty() ? setup::FolderOf(systemDir) : root;
    }
    char buffer[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string TempDirectory() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof(buffer), buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return setup::WithoutTrailingBackslash(std::string(buffer, length));
}

// The extended form first, the basic one when the system does not know it (before NT 4 SP6).
bool ReadVersionInfo(OSVERSIONINFOEXA& info, bool& extended, unsigned long& error) {
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        extended = true;
        return true;
    }
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        extended = false;
        return true;
    }
    error = GetLastError();
    return false;
}

}  // namespace

SYSTEM_FACTS ReadSystemFacts() {
    SYSTEM_FACTS facts;
    OSVERSIONINFOEXA info;
    bool extended = false;
    facts.version.available = ReadVersionInfo(info, extended, facts.versionError);
    facts.is64BitSystem = setup::Is64BitWindows();
    if (facts.version.available) {
        facts.version.extended = extended;
        facts.version.platformId = info.dwPlatformId;
        facts.version.major = info.dwMajorVersion;
        facts.version.minor = info.dwMinorVersion;
        facts.version.productType = extended ? info.wProductType : 0;
        facts.version.is64BitSystem = facts.is64BitSystem;
        bool windows98 = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMajorVersion == 4 &&
                         info.dwMinorVersion == 10;
        facts.version.windowsMe = windows98 && setup::IsWindowsMe();
    }
    facts.systemDir = SystemDirectory();
    facts.windowsDir = WindowsDirectory(info, facts.version.available && extended, facts.systemDir);
    facts.infDir = facts.windowsDir + "\\Inf";
    facts.programFilesDir = RegistryText("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    facts.tempDir = TempDirectory();
    facts.systemLanguageId = GetSystemDefaultLangID();
    return facts;
}
