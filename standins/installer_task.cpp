// A stand-in for an item's own installer program, for tests: does what its options say, in
// order, and exits with the given code.
//   /delay <ms>                  wait
//   /write <file>                create the file (text: the command line)
//   /regset <key> <name> <n>     set a number value under HKEY_LOCAL_MACHINE\<key>
//   /exit <code>                 exit code at the end (default 0)
//   /later <ms> <options...>     run the remaining options in a detached copy after <ms>, and
//                                end now (an installer that leaves work running behind it)
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

void WriteFileWithText(const char* path, const char* text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
    CloseHandle(file);
}

void SetNumber(const char* key, const char* name, DWORD value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
}

void RunDetached(const std::string& arguments) {
    char self[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, self, MAX_PATH)) return;
    std::string line = "\"" + std::string(self) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "/delay" && i + 1 < argc) {
            Sleep(static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10)));
        } else if (option == "/write" && i + 1 < argc) {
            WriteFileWithText(argv[++i], GetCommandLineA());
        } else if (option == "/regset" && i + 3 < argc) {
            SetNumber(argv[i + 1], argv[i + 2], static_cast<DWORD>(std::strtoul(argv[i + 3], nullptr, 0)));
            i += 3;
        } else if (option == "/exit" && i + 1 < argc) {
            exitCode = std::atoi(argv[++i]);
        } else if (option == "/later" && i + 1 < argc) {
            std::string rest = std::string("/delay ") + argv[++i];
            for (++i; i < argc; ++i) rest += std::string(" \"") + argv[i] + "\"";
            RunDetached(rest);
        }
    }
    return exitCode;
}
