#include "environment/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr std::size_t kMaxMessage = 4095;

const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};

std::atomic<CLog*> g_active{nullptr};

std::string ProgramFileName(const std::string& programPath) {
    std::string path = programPath;
    if (path.empty()) {
        std::vector<char> buffer(MAX_PATH);
        for (;;) {
            DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (n == 0) return "Setup.exe";
            if (n < buffer.size()) { path.assign(buffer.data(), n); break; }
            buffer.resize(buffer.size() * 2);
        }
    }
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TempFolder(const std::string& tempDir) {
    if (!tempDir.empty()) {
        return tempDir.back() == '\\' ? tempDir : tempDir + '\\';
    }
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(sizeof(buffer), buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return buffer;
}

// The message-table text of a system error, or empty when the system has none.
std::string SystemErrorText(unsigned long code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = (n && text) ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    return result;
}

}  // namespace

CLog::CLog(const std::string& programPath, const std::string& tempDir) {
    Open(programPath, tempDir);
    if (IsOpen()) WriteHeader();
}

CLog::~CLog() {
    CLog* self = this;
    g_active.compare_exchange_strong(self, nullptr);
    if (IsOpen()) CloseHandle(file_);
}

void CLog::Open(const std::string& programPath, const std::string& tempDir) {
    const std::string folder = TempFolder(tempDir);
    if (folder.empty()) return;
    const std::string name = ProgramFileName(programPath);
    // Never overwrite an earlier run's log: Setup.exe.log, then Setup.exe0.log, 1, 2, ...
    for (long n = -1; n < 100000; ++n) {
        char path[MAX_PATH * 2];
        if (n < 0)
            std::snprintf(path, sizeof(path), "%s%s.log", folder.c_str(), name.c_str());
        else
            std::snprintf(path, sizeof(path), "%s%s%ld.log", folder.c_str(), name.c_str(), n);
        HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            file_ = h;
            filePath_ = path;
            return;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return;
    }
}

void CLog::WriteLine(const char* text) {
    DWORD written = 0;
    WriteFile(file_, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

void CLog::WriteHeader() {
    const char* rule = "////////////////////////////////////////////////////////////\r\n";
    const char* blank = "//                                                        //\r\n";
    char title[128];
    std::snprintf(title, sizeof(title), "// %-55s//\r\n", DefaultProgramName());
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char date[128];
    // English names whatever the user's locale.
    std::snprintf(date, sizeof(date), "Data : %s, %s %02u, %04u\r\n", kWeekdays[now.wDayOfWeek % 7],
                  kMonths[(now.wMonth + 11) % 12], now.wDay, now.wYear);
    WriteLine(rule);
    WriteLine(blank);
    WriteLine(title);
    WriteLine(blank);
    WriteLine(rule);
    WriteLine("\r\n");
    WriteLine(date);
    WriteLine("\r\n\r\n");
}

void CLog::Write(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteV(0, format, args);
    va_end(args);
}

void CLog::WriteError(unsigned long code, const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteV(code, format, args);
    va_end(args);
}

void CLog::WriteV(unsigned long code, const char* format, va_list args) {
    if (!IsOpen() || !format) return;
    // A message that arrives while another is being written is dropped, not queued.
    bool expected = false;
    if (!busy_.compare_exchange_strong(expected, true, std::memory_order_acquire)) return;

    char message[kMaxMessage + 1];
    std::vsnprintf(message, sizeof(message), format, args);  // longer messages are cut

    std::string errorLine;
    if (code != 0) {
        std::string text = SystemErrorText(code);
        if (!text.empty()) {
            char head[64];
            std::snprintf(head, sizeof(head), "Error Code = %lu :", code);
            errorLine = head + text + " ";
        }
    }

    auto stamp = [this](const char* text) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        char prefix[32];
        std::snprintf(prefix, sizeof(prefix), "[%02u.%02u.%02u]  ", now.wHour, now.wMinute, now.wSecond);
        std::string line = prefix;
        line += text;
        line += "\r\n";
        DWORD written = 0;
        WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    };
    stamp(message);
    if (!errorLine.empty()) stamp(errorLine.c_str());

    busy_.store(false, std::memory_order_release);
}

void SetActiveLog(CLog* log) { g_active.store(log); }
CLog* ActiveLog() { return g_active.load(); }

void LogWrite(const char* format, ...) {
    CLog* log = ActiveLog();
    if (!log) return;
    va_list args;
    va_start(args, format);
    log->WriteV(0, format, args);
    va_end(args);
}

void LogWriteError(unsigned long code, const char* format, ...) {
    CLog* log = ActiveLog();
    if (!log) return;
    va_list args;
    va_start(args, format);
    log->WriteV(code, format, args);
    va_end(args);
}
