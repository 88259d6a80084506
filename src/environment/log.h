#pragma once
// The run's trace file in the temporary folder: "[HH.MM.SS]  message" lines.
// One log per process, owned by the application object; every other part writes through
// LogWrite / LogWriteError, which do nothing while no log is active.
#include <windows.h>

#include <atomic>
#include <string>

class CLog {
public:
    // programPath / tempDir: empty means the running program and the system's temporary path.
    explicit CLog(const std::string& programPath = {}, const std::string& tempDir = {});
    ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteError(unsigned long code, const char* format, ...) __attribute__((format(printf, 3, 4)));
    void WriteV(unsigned long code, const char* format, va_list args);

    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    const std::string& FilePath() const { return filePath_; }

    static const char* DefaultProgramName() { return "Orvane Printer Installer Program"; }

private:
    void Open(const std::string& programPath, const std::string& tempDir);
    void WriteHeader();
    void WriteLine(const char* text);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string filePath_;
    std::atomic<bool> busy_{false};
};

// The process's active log (set by the application object; tests may set their own).
void SetActiveLog(CLog* log);
CLog* ActiveLog();
void LogWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));
void LogWriteError(unsigned long code, const char* format, ...) __attribute__((format(printf, 2, 3)));
