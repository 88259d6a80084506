#pragma once
// A scratch installation medium in the temporary folder, an active log and a clean registry
// record for the tests of CGlobal. Each test writes the start files it needs.
#include "environment/global.h"
#include "environment/log.h"
#include "support/file_text.h"
#include "support/raw_registry.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

constexpr const char* kTestMfg = "EnvTestMaker";
constexpr const char* kTestProgram = "EnvTest Program";
constexpr const char* kInstallingKey = "Software\\EnvTestMaker\\EnvTest Program\\Installing";
constexpr const char* kInstalledKey = "Software\\EnvTestMaker\\EnvTest Program\\Installed";

// The model part every data file needs unless a test is about the model itself.
constexpr const char* kModelSection =
    "[PROGRAM_INFO]\nMFG = EnvTestMaker\nMDL = Model 1\nVIDPID = VID_1&PID_2\nPROGRAM_NAME = EnvTest Program\n";

class MediumTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
        ASSERT_TRUE(scratch_.Created());
        CreateDirectoryA(medium_.c_str(), nullptr);
        CreateDirectoryA(logDir_.c_str(), nullptr);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\EnvTestMaker");
        log_ = std::make_unique<CLog>(medium_ + "\\Setup.exe", logDir_);
        SetActiveLog(log_.get());
    }
    void TearDown() override {
        SetActiveLog(nullptr);
        log_.reset();
        SetCurrentDirectoryA(savedDirectory_);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\EnvTestMaker");
    }

    // A new log file, for a test that checks the lines of several runs one after the other.
    void RestartLog() {
        SetActiveLog(nullptr);
        log_ = std::make_unique<CLog>(medium_ + "\\Setup.exe", logDir_);
        SetActiveLog(log_.get());
    }
    // Writes a file below the medium, creating its folders.
    void Write(const std::string& relative, const std::string& text) {
        std::string path = medium_ + "\\" + relative;
        for (std::size_t pos = medium_.size() + 1; (pos = path.find('\\', pos)) != std::string::npos; ++pos)
            CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
        test_support::WriteBytes(path, text);
    }
    // The usual medium: data file with the given extra text, configure, command and English
    // string files.
    void WriteMedium(const std::string& dataExtra, bool withModel = true) {
        Write("Setup.dat", (withModel ? std::string(kModelSection) : std::string()) + dataExtra);
        Write("data\\kxinst.kxi", "[DLG_COMMON]\nNAME = default\n");
        Write("data\\kxinst.cmd", "[CMD]\nCMD_TYPE = 1\n");
        Write("data\\String\\Lang_EN.str", "[MESSAGES]\nMSG_HELLO = Hello\n");
    }
    std::string ProgramPath() const { return medium_ + "\\Setup.exe"; }

    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : test_support::CrLfLines(test_support::ReadBytes(log_->FilePath()))) {
            // "[HH.MM.SS]  message": keep the message.
            std::size_t close = line.find("]  ");
            lines.push_back(close != std::string::npos && line[0] == '[' ? line.substr(close + 3) : line);
        }
        return lines;
    }
    bool LogHas(const std::string& message) const {
        for (const std::string& line : LogLines())
            if (line == message) return true;
        return false;
    }
    bool LogHasPrefix(const std::string& prefix) const {
        for (const std::string& line : LogLines())
            if (line.compare(0, prefix.size(), prefix) == 0) return true;
        return false;
    }
    static std::string RegistryText(const char* key, const char* name) {
        return test_support::Text(HKEY_LOCAL_MACHINE, key, name);
    }
    static DWORD RegistryNumber(const char* key, const char* name) {
        return test_support::Number(HKEY_LOCAL_MACHINE, key, name);
    }
    static void SetRegistryText(const char* key, const char* name, const std::string& text) {
        test_support::RawText(HKEY_LOCAL_MACHINE, key, name, text);
    }
    static void SetRegistryNumber(const char* key, const char* name, DWORD value) {
        test_support::RawNumber(HKEY_LOCAL_MACHINE, key, name, value);
    }
    static bool FolderExists(const std::string& path) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    // System facts of the test machine with another version or language.
    static SYSTEM_FACTS FactsFor(unsigned long platform, unsigned long major, unsigned long minor,
                                 unsigned char productType, bool is64, unsigned short language = 0x0409) {
        SYSTEM_FACTS facts = ReadSystemFacts();
        facts.version.available = true;
        facts.version.extended = true;
        facts.version.platformId = platform;
        facts.version.major = major;
        facts.version.minor = minor;
        facts.version.productType = productType;
        facts.version.is64BitSystem = is64;
        facts.is64BitSystem = is64;
        facts.systemLanguageId = language;
        return facts;
    }

    test_support::ScratchFolder scratch_{"envtest"};
    const std::string root_ = scratch_.Path();
    const std::string medium_ = scratch_.File("medium");
    const std::string logDir_ = scratch_.File("log");
    char savedDirectory_[MAX_PATH] = {};
    std::unique_ptr<CLog> log_;
};
