#include "environment/global.h"

#include "environment/log.h"
#include "environment/path_rules.h"
#include "fileops/system_utils.h"

#include <windows.h>

#include <memory>

using setup::FileNameOf;
using setup::FolderOf;
using setup::RunningProgramPath;

namespace {

constexpr const char* kFileInfoSection = "INSTALLER_FILE_INFO";
constexpr const char* kDefaultConfigureFile = ".\\data\\kxinst.kxi";
constexpr const char* kDefaultCommandFile = ".\\data\\kxinst.cmd";
constexpr const char* kDefaultStringFileFormat = ".\\data\\String\\Lang_%s.str";

}  // namespace

CGlobal::CGlobal() : CGlobal(ReadSystemFacts()) {}

CGlobal::CGlobal(const SYSTEM_FACTS& facts) : facts_(facts) {}

bool CGlobal::Initialise(const std::string& programPath) {
    LocateProgram(programPath.empty() ? RunningProgramPath() : programPath);
    if (!InitialiseProfiles()) {
        LogWrite("Initialize Profiles fail!!");
        return false;
    }
    ReadVersion();
    // The OS define depends only on the data file and the system; it comes before the first
    // read of the options so that OS variants of OPTION apply from the start.
    ComputeOsDefine();
    ReadOptions();
    if (!ReadModel()) {
        LogWrite("Initialize Model Variable fail!!");
        if (!MainOnly()) return false;
    }
    if (!ComputeRegistryRoots()) {
        LogWrite("Initialize Registry Variable fail!!");
        if (!MainOnly()) return false;
    }
    SetSystemLanguageAbbr();
    SetLanguage(0, false);
    orgStringFile_ = setup::ApplyStringFileFormat(stringFileFormat_, OrgLanguageAbbr());
    InitialiseTarget();
    modules_.LoadModules(kFileInfoSection, *this);
    return true;
}

void CGlobal::LocateProgram(const std::string& programPath) {
    setupFolder_ = FolderOf(programPath);
    std::string fileName = FileNameOf(programPath);
    std::size_t dot = fileName.find_last_of('.');
    appName_ = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    installerExe_ = appName_ + ".exe";
    dataFile_ = setupFolder_ + "\\" + appName_ + ".dat";
    // Relative paths in every profile are relative to the program's folder ("C:" alone would
    // name the drive's current folder, hence the backslash for a root).
    std::string current = setupFolder_.size() == 2 ? setupFolder_ + "\\" : setupFolder_;
    SetCurrentDirectoryA(current.c_str());
}

std::string CGlobal::ResolvePath(const std::string& value, bool mustExist) const {
    std::string path = setup::ResolveProfilePathText(value, setupFolder_);
    if (mustExist && !setup::FileExists(path.c_str())) return {};
    return path;
}

std::string CGlobal::ConfigureFileValue(const std::string& abbr) const {
    std::string value;
    std::string languageKey = "CONFIGURE_FILE." + abbr;
    if (!dataSet_.GetString(kFileInfoSection, languageKey.c_str(), value) &&
        !dataSet_.GetString(kFileInfoSection, "CONFIGURE_FILE", value))
        value = kDefaultConfigureFile;
    return value;
}

bool CGlobal::InitialiseProfiles() {
    // Each missing start file is named, so the log says which one stopped the run.
    if (!setup::FileExists(dataFile_.c_str())) {
        LogWrite("Data file not found : %s", dataFile_.c_str());
        return false;
    }
    dataSet_.Open(dataFile_.c_str(), dataFile_.c_str(), nullptr, false);

    const std::string configValue = ConfigureFileValue(LanguageAbbrText());
    std::string configFile = ResolvePath(configValue, true);
    if (configFile.empty()) {
        LogWrite("Configure file not found : %s", configValue.c_str());
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        configFile_ = configFile;
    }
    configureSet_.Open(configFile.c_str(), dataFile_.c_str(), nullptr, false);

    std::string value;
    if (!dataSet_.GetString(kFileInfoSection, "COMMAND_FILE", value)) value = kDefaultCommandFile;
    commandFile_ = ResolvePath(value, true);
    if (commandFile_.empty()) {
        LogWrite("Command file not found : %s", value.c_str());
        return false;
    }
    commandSet_.Open(commandFile_.c_str(), dataFile_.c_str(), nullptr, false);

    if (!dataSet_.GetString(kFileInfoSection, "STRING_FILE_FORMAT", value)) value = kDefaultStringFileFormat;
    stringFileFormat_ = ResolvePath(value, false);
    std::string stringFile = setup::ApplyStringFileFormat(stringFileFormat_, "EN");
    {
        std::lock_guard<std::mutex> guard(lock_);
        stringFile_ = stringFile;
        stringFileName_ = FileNameOf(stringFile);
    }
    stringSet_.Open(stringFile.c_str(), dataFile_.c_str(), stringFile.c_str(), true);
    return true;
}

void CGlobal::ReadVersion() {
    if (dataSet_.GetString("VERSION", "VERSION", version_)) return;
    std::string autorun = setupFolder_ + "\\Autorun.inf";
    char buffer[MAX_PATH] = {};
    GetPrivateProfileStringA("INFOMATION", "VERSION", "", buffer, sizeof(buffer), autorun.c_str());
    version_ = buffer;
}

bool CGlobal::ReadModel() {
    bool complete = dataSet_.GetString("PROGRAM_INFO", "MFG", mfg_);
    complete = dataSet_.GetString("PROGRAM_INFO", "MDL", mdl_) && complete;
    complete = dataSet_.GetString("PROGRAM_INFO", "VIDPID", vidPid_) && complete;
    std::string programName;
    if (dataSet_.GetString("PROGRAM_INFO", "PROGRAM_NAME", programName) && !programName.empty())
        programName_ = programName;
    return complete;
}

bool CGlobal::ComputeRegistryRoots() {
    // An empty name would put the records at the wrong place (an empty MFG even at the root
    // of Software), and a key name holds at most 255 characters: the roots then stay empty
    // and nothing is recorded.
    constexpr std::size_t kMaxKeyName = 255;
    if (mfg_.empty() || programName_.empty() || mfg_.size() > kMaxKeyName || programName_.size() > kMaxKeyName)
        return false;
    std::string base = "Software\\" + mfg_ + "\\" + programName_;
    installingRoot_ = base + "\\Installing";
    installingHistoryRoot_ = installingRoot_ + "\\InstHistory";
    installedRoot_ = base + "\\Installed";
    installedHistoryRoot_ = installedRoot_ + "\\InstHistory";
    uninstallInfoRoot_ = base + "\\UninstallInfo";
    return true;
}

std::string CGlobal::ConfigureFilePath() const { return LockedCopy(configFile_); }

std::string CGlobal::StringFilePath() const { return LockedCopy(stringFile_); }

std::string CGlobal::StringFileName() const { return LockedCopy(stringFileName_); }

setup::MACRO_VALUES CGlobal::MacroValues(unsigned short langId, const std::string& langAbbr,
                                         const std::string& langDir) const {
    setup::MACRO_VALUES v;
    v.srcDir = setupFolder_;
    v.winDir = facts_.windowsDir;
    v.sysDir = facts_.systemDir;
    v.infDir = facts_.infDir;
    v.osDir = osDir_;
    v.programFilesDir = facts_.programFilesDir;
    v.dataFile = dataFile_;
    v.version = version_;
    v.installerExe = installerExe_;
    v.installed = alreadyInstalled_;
    std::lock_guard<std::mutex> guard(lock_);
    v.langAbbr = langAbbr.empty() ? langAbbr_ : langAbbr;
    v.orgLangAbbr = orgLangAbbr_;
    v.destDir = destination_;
    v.destInstDir = installDir_;
    v.langDir = langDir.empty() ? langDir_ : langDir;
    v.orgLangDir = orgLangDir_;
    v.configFile = configFile_;
    v.stringFile = stringFile_;
    v.ip = ip_;
    v.stringFileName = stringFileName_;
    v.port = port_;
    v.lcid = langId != 0 ? langId : langId_;
    v.orgLcid = orgLangId_;
    return v;
}

std::string CGlobal::Expand(const std::string& text, unsigned short langId, const std::string& langAbbr,
                            const std::string& langDir) const {
    if (text.find('$') == std::string::npos) return text;
    return setup::ExpandMacroText(text, MacroValues(langId, langAbbr, langDir));
}

std::string CGlobal::ExpandMacros(const std::string& text, unsigned short langId, const std::string& langAbbr,
                                  const std::string& langDir) const {
    return Expand(text, langId, langAbbr, langDir);
}

bool CGlobal::FindSection(const char* base, std::string& variant) const {
    return dataSet_.FindSection(base, variant);
}

bool CGlobal::GetValue(const char* section, const char* key, std::string& value) const {
    return dataSet_.GetString(section, key, value);
}

std::string CGlobal::ResolveExistingPath(const std::string& value) const {
    return ResolvePath(value, true);
}
