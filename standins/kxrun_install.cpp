// Installer module, MyInstall: runs the command of an item's staging record and judges it.
#include "reg_key.h"
#include "standin.h"

namespace {

using standin::Key;

struct StagingRecord {
    std::string instCmd, uninstCmd, reinstCmd;
    std::string instParam, uninstParam, reinstParam;
    std::string waitFile, waitRegKey, waitRegValue, waitRegStrData;
    bool hasWaitRegIntData = false;
    DWORD waitRegIntData = 0;
    DWORD successReturn = 0;
};

StagingRecord ReadRecord(const Key& key) {
    StagingRecord r;
    r.instCmd = key.Text("InstCmd");
    r.uninstCmd = key.Text("UninstCmd");
    r.reinstCmd = key.Text("ReinstCmd");
    r.instParam = key.Text("InstParam");
    r.uninstParam = key.Text("UninstParam");
    r.reinstParam = key.Text("ReinstParam");
    r.waitFile = key.Text("WaitFile");
    r.waitRegKey = key.Text("WaitRegKey");
    r.waitRegValue = key.Text("WaitRegValue");
    r.waitRegStrData = key.Text("WaitRegStrData");
    r.hasWaitRegIntData = key.Number("WaitRegIntData", r.waitRegIntData);
    key.Number("Success_Return", r.successReturn);
    return r;
}

// Setup_Type 2 and 6 remove; an installed item is re-installed when it has a re-install
// command; everything else installs.
void ChooseCommand(DWORD setupType, int installed, const StagingRecord& r, std::string& command,
                   std::string& parameters) {
    if (setupType == 2 || setupType == 6) {
        command = r.uninstCmd;
        parameters = r.uninstParam;
    } else if (installed && !r.reinstCmd.empty()) {
        command = r.reinstCmd;
        parameters = r.reinstParam;
    } else {
        command = r.instCmd;
        parameters = r.instParam;
    }
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Trim(const std::string& text, const char* characters) {
    std::size_t first = text.find_first_not_of(characters);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

// A command may carry arguments of its own: "C:\a b\setup.exe" /s, or C:\a b\setup.exe /s
// (then the program is the longest leading part, ending before a blank, that names a file).
void SplitCommand(const std::string& command, std::string& program, std::string& arguments) {
    const std::string text = Trim(command, " \t");
    std::size_t split = text.size();
    if (!text.empty() && text[0] == '"') {
        std::size_t close = text.find('"', 1);
        program = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        split = close == std::string::npos ? text.size() : close + 1;
    } else {
        program = text;
        for (std::size_t blank = text.rfind(' '); !FileExists(program) && blank != std::string::npos && blank > 0;
             blank = text.rfind(' ', blank - 1)) {
            program = text.substr(0, blank);
            split = blank;
        }
        if (!FileExists(program)) {
            program = text;
            split = text.size();
        }
    }
    arguments = Trim(text.substr(split), " \t");
}

bool RunAndWait(const std::string& command, const std::string& parameters, DWORD& exitCode) {
    std::string program, ownArguments;
    SplitCommand(command, program, ownArguments);
    if (program.empty()) return false;
    std::string line = "\"" + program + "\"";
    if (!ownArguments.empty()) line += " " + ownArguments;
    if (!parameters.empty()) line += " " + parameters;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');

    std::string folder;
    std::size_t slash = program.find_last_of('\\');
    if (slash != std::string::npos) folder = program.substr(0, slash);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    bool ok = GetExitCodeProcess(process.hProcess, &exitCode) != FALSE;
    CloseHandle(process.hProcess);
    return ok;
}

// Polls a condition until it holds or the timeout ([INSTALL] WaitTimeoutMs, 300 s) passes.
template <typename Condition>
bool WaitFor(Condition condition) {
    const DWORD timeout = static_cast<DWORD>(standin::SimNumber("INSTALL", "WaitTimeoutMs", 300000));
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeout) return false;
        Sleep(100);
    }
}

// "HKEY_CURRENT_USER\..." / "HKCU\..." pick that root; anything else is under HKEY_LOCAL_MACHINE.
HKEY SplitRoot(const std::string& path, std::string& rest) {
    static const struct { const char* prefix; HKEY root; } roots[] = {
        {"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE}, {"HKLM\\", HKEY_LOCAL_MACHINE},
        {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER},   {"HKCU\\", HKEY_CURRENT_USER},
    };
    for (const auto& r : roots) {
        std::size_t n = lstrlenA(r.prefix);
        if (path.size() >= n && standin::EqualNoCase(path.substr(0, n), r.prefix)) {
            rest = path.substr(n);
            return r.root;
        }
    }
    rest = path;
    return HKEY_LOCAL_MACHINE;
}

// The waited-for value exists and, when given, holds the text or has reached the number.
bool RegistryConditionHolds(const StagingRecord& r) {
    std::string path;
    HKEY root = SplitRoot(r.waitRegKey, path);
    Key key(root, path, KEY_READ);
    if (!key) return false;
    if (r.waitRegValue.empty()) return true;
    if (!r.waitRegStrData.empty()) {
        std::string text;
        return key.Text(r.waitRegValue.c_str(), text) && standin::EqualNoCase(text, r.waitRegStrData);
    }
    DWORD number = 0;
    if (r.hasWaitRegIntData) return key.Number(r.waitRegValue.c_str(), number) && number >= r.waitRegIntData;
    std::string text;
    return key.Text(r.waitRegValue.c_str(), text) || key.Number(r.waitRegValue.c_str(), number);
}

}  // namespace

STANDIN_EXPORT int WINAPI MyInstall(int reserved, const char* installingKey, const char* itemKey, int installed) {
    using standin::Arg;
    standin::CallLog("MyInstall", {Arg(reserved), Arg(installingKey), Arg(itemKey), Arg(installed)});
    if (!installingKey || !itemKey) return 0;

    DWORD setupType = 1;
    {
        Key installing(HKEY_LOCAL_MACHINE, installingKey, KEY_READ);
        if (installing) installing.Number("Setup_Type", setupType);
    }
    Key item(HKEY_LOCAL_MACHINE, itemKey, KEY_READ | KEY_SET_VALUE);
    if (!item) return 0;
    const StagingRecord record = ReadRecord(item);

    std::string command, parameters;
    ChooseCommand(setupType, installed, record, command, parameters);
    if (Trim(command, " \t\"").empty()) return 0;

    DWORD exitCode = 0;
    if (!RunAndWait(command, parameters, exitCode)) return 0;
    if (exitCode != record.successReturn) return 0;
    if (!record.waitFile.empty() && !WaitFor([&] { return FileExists(record.waitFile); })) return 0;
    if (!record.waitRegKey.empty() && !WaitFor([&] { return RegistryConditionHolds(record); })) return 0;

    item.SetNumber("InstallNow", 2);
    return 1;
}
