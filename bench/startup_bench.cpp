// Start-up cost of the run-time environment: the time from creating a process until it has
// initialised CGlobal on a medium and ended, against the same program started to end at once.
// Both kinds of run alternate in one session so that the machine's state is the same for both.
//   startup_bench [MEDIUM_FOLDER]   (default: a small generated medium in the temporary folder)
#include "environment/global.h"
#include "environment/log.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 15;

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A medium shaped like a product's: data file with the usual sections, configure, command
// and two string files.
std::string GenerateMedium() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string medium = std::string(temp) + "startup_bench_medium";
    for (const char* folder : {"", "\\data", "\\data\\String"}) CreateDirectoryA((medium + folder).c_str(), nullptr);
    std::string data =
        "[VERSION]\nVERSION = 3.2.0140\n"
        "[INSTALLER_FILE_INFO]\nCONFIGURE_FILE = .\\data\\kxinst.kxi\nCOMMAND_FILE = .\\data\\kxinst.cmd\n"
        "[OPTION]\nNETWORK = 1\nDEVICE_INSTALL = 1\n[OPTION.XP]\nSTOP_FIREWALL = 1\n"
        "[PROGRAM_INFO]\nMFG = BenchMaker\nMDL = Bench 1\nVIDPID = VID_1&PID_2\nPROGRAM_NAME = Bench Program\n"
        "DESTINATION_DIR = $PROGRAM_FILES_DIR$\\BenchMaker\\Bench\n"
        "[PROGRAM_LANG_INFO]\n0X0009\n0X0007\n0X000C\n"
        "[LANGUAGE_ABBR]\n0X0009 = EN\n0X0007 = GR\n0X000C = FN\n"
        "[OS_DEFINE]\n0X00020501 = XP\n0X00020601.64 = W7_64\n0X00020A00.64 = W10_64\nDEF_WIN2KS = W10\n"
        "[STRINGS]\n%PRODUCT% = \"Bench\"\n";
    std::string configure;
    for (int i = 0; i < 200; ++i)
        configure += "[DIALOG_" + std::to_string(i) + "]\nDLG_RECT = 0,0,100,100\nNUM_OF_OBJ = 3\nTEXT = @MSG_" +
                     std::to_string(i) + "@\n";
    std::string strings = "[MESSAGES]\n";
    for (int i = 0; i < 400; ++i) strings += "MSG_" + std::to_string(i) + " = Message number " + std::to_string(i) + "\n";
    WriteFile(medium + "\\Setup.dat", data);
    WriteFile(medium + "\\data\\kxinst.kxi", configure);
    WriteFile(medium + "\\data\\kxinst.cmd", configure);
    WriteFile(medium + "\\data\\String\\Lang_EN.str", strings);
    WriteFile(medium + "\\data\\String\\Lang_GR.str", strings);
    return medium;
}

// Milliseconds from CreateProcess until the child has ended.
double TimeChild(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1.0;
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (exitCode != 0) return -1.0;
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int RunInitialise(const std::string& medium) {
    CLog log(medium + "\\Setup.exe", {});
    SetActiveLog(&log);
    int result;
    {
        CGlobal global;
        result = global.Initialise(medium + "\\Setup.exe") ? 0 : 1;
    }
    SetActiveLog(nullptr);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--trivial") return 0;
    if (argc >= 3 && std::string(argv[1]) == "--initialise") return RunInitialise(argv[2]);

    std::string medium = argc >= 2 ? argv[1] : GenerateMedium();
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string initialise = "\"" + std::string(self) + "\" --initialise \"" + medium + "\"";
    std::string trivial = "\"" + std::string(self) + "\" --trivial";

    TimeChild(trivial);  // warm the file cache for both
    if (TimeChild(initialise) < 0) {
        std::printf("initialisation failed on %s\n", medium.c_str());
        return 1;
    }
    std::vector<double> initTimes, trivialTimes;
    for (int i = 0; i < kRounds; ++i) {
        trivialTimes.push_back(TimeChild(trivial));
        initTimes.push_back(TimeChild(initialise));
    }
    double init = Median(initTimes), base = Median(trivialTimes);
    std::printf("medium: %s\n", medium.c_str());
    std::printf("trivial program:            %8.2f ms (median of %d)\n", base, kRounds);
    std::printf("start-up to CGlobal ready:  %8.2f ms (median of %d)\n", init, kRounds);
    std::printf("ratio:                      %8.2f\n", init / base);
    return 0;
}
