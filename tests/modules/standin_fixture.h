#pragma once
// Shared by the module table's and the stand-ins' tests: a scratch medium folder holding the
// built stand-ins, a configuration over it, the run's log, the stand-ins' call log and
// simulation file.
#include "environment/log.h"
#include "modules/external_fnt.h"
#include "modules/module_config.h"
#include "support/file_text.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace standin_test {

// The build folder of the stand-ins as Wine sees it (the host's / is drive Z:).
inline std::string StandinDir() {
    std::string path = "Z:" SETUP_STANDIN_DIR;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Values by section and key; paths resolve against the medium folder like Setup's own rules
// for ".\" names, and must exist.
class TestModuleConfig : public ModuleConfig {
public:
    explicit TestModuleConfig(std::string medium) : medium_(std::move(medium)) {}
    void Set(const std::string& section, const std::string& key, const std::string& value) {
        values_[section][key] = value;
    }
    void SetVariant(const std::string& base, const std::string& variant) { variants_[base] = variant; }

    bool FindSection(const char* base, std::string& variant) const override {
        auto it = variants_.find(base);
        if (it == variants_.end()) return false;
        variant = it->second;
        return true;
    }
    bool GetValue(const char* section, const char* key, std::string& value) const override {
        auto s = values_.find(section);
        if (s == values_.end()) return false;
        auto k = s->second.find(key);
        if (k == s->second.end()) return false;
        value = k->second;
        return true;
    }
    std::string ResolveExistingPath(const std::string& value) const override {
        std::string path = value.rfind(".\\", 0) == 0 ? medium_ + value.substr(1) : value;
        return FileExists(path) ? path : std::string();
    }

private:
    std::string medium_;
    std::map<std::string, std::map<std::string, std::string>> values_;
    std::map<std::string, std::string> variants_;
};

// A scratch folder with a "data" subfolder (the medium), the run's log and the stand-ins'
// call log and simulation file, all removed afterwards.
class ModuleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.Created());
        ASSERT_TRUE(CreateDirectoryA(Medium("data").c_str(), nullptr)) << GetLastError();
        log_ = std::make_unique<CLog>("C:\\medium\\Setup.exe", folder_);
        SetActiveLog(log_.get());
        SetEnvironmentVariableA("SETUP_STANDIN_LOG", CallLogPath().c_str());
        SetEnvironmentVariableA("SETUP_STANDIN_SIM", SimPath().c_str());
    }
    void TearDown() override {
        SetActiveLog(nullptr);
        table_.reset();  // frees the modules before their files go
        log_.reset();
        SetEnvironmentVariableA("SETUP_STANDIN_LOG", nullptr);
        SetEnvironmentVariableA("SETUP_STANDIN_SIM", nullptr);
    }

    std::string Medium(const std::string& relative = {}) const {
        return relative.empty() ? folder_ : folder_ + "\\" + relative;
    }
    std::string CallLogPath() const { return folder_ + "\\calls.log"; }
    std::string SimPath() const { return folder_ + "\\sim.ini"; }
    void WriteSim(const std::string& text) { test_support::WriteBytes(SimPath(), text); }

    // Copies a built stand-in into the medium under the given relative name.
    void CopyStandin(const std::string& file, const std::string& relative) {
        ASSERT_TRUE(CopyFileA((StandinDir() + "\\" + file).c_str(), Medium(relative).c_str(), FALSE))
            << file << " error " << GetLastError();
    }
    // Every module at its default place on the medium.
    void CopyAllStandins() {
        for (const char* name : {"Kxrun.dll", "Kxutil.dll", "Kxrmtint.dll", "Kxdiag.dll", "KxNetMan.dll",
                                 "KXpre.dll", "Setip.dll"})
            CopyStandin(name, std::string("data\\") + name);
        CopyStandin("KXres.dll", "KXres.dll");
    }

    CExternalFnt& Load(const TestModuleConfig& config) {
        table_ = std::make_unique<CExternalFnt>();
        EXPECT_TRUE(table_->LoadModules("INSTALLER_FILE_INFO", config));
        return *table_;
    }
    // A table over the stand-ins where they were built.
    CExternalFnt& LoadBuiltStandins() {
        TestModuleConfig config(StandinDir());
        for (auto [key, file] : {std::pair{"INSTALLER_DLL", "Kxrun.dll"}, {"UTILITY_DLL", "Kxutil.dll"},
                                 {"REMOTE_INSTALL_DLL", "Kxrmtint.dll"}, {"DIAGNOSIS_DLL", "Kxdiag.dll"},
                                 {"NETWORKMAN_DLL", "KxNetMan.dll"}, {"RESOURCE_DLL", "KXres.dll"},
                                 {"PREINSTALLER_DLL", "KXpre.dll"}, {"SETIP_DLL", "Setip.dll"}})
            config.Set("INSTALLER_FILE_INFO", key, StandinDir() + "\\" + file);
        return Load(config);
    }

    // The log's message lines, without their time stamps.
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : test_support::CrLfLines(test_support::ReadBytes(log_->FilePath())))
            if (line.size() > 12 && line[0] == '[' && line.compare(9, 3, "]  ") == 0) lines.push_back(line.substr(12));
        return lines;
    }
    bool LogHas(const std::string& line) const {
        for (const std::string& l : LogLines())
            if (l == line) return true;
        return false;
    }
    std::vector<std::string> CallLines() const {
        return test_support::CrLfLines(test_support::ReadBytes(CallLogPath()));
    }

    test_support::ScratchFolder scratch_{"modtest"};
    const std::string folder_ = scratch_.Path();
    std::unique_ptr<CLog> log_;
    std::unique_ptr<CExternalFnt> table_;
};

}  // namespace standin_test
