#pragma once
// The run-time environment of one run of Setup: start files and the four profile sets,
// options, model, language, $MACRO$ facts, system facts, registry roots, installation target
// and the external module table. Built once by the application before any window exists.
//
// Threads: worker threads read values and expand macros while the main thread may change the
// destination, port, IP or language; those texts are guarded, and their accessors return
// copies. Profiles are read-only after start-up except during a language change.
#include "environment/language_hooks.h"
#include "environment/macro_expansion.h"
#include "environment/option_record.h"
#include "environment/profile_environment.h"
#include "environment/profile_set.h"
#include "environment/system_facts.h"
#include "modules/external_fnt.h"
#include "modules/module_config.h"

#include <mutex>
#include <string>
#include <vector>

class CGlobal : public ProfileEnvironment, public ModuleConfig {
public:
    static constexpr const char* kDefaultProgramName = "Orvane Printer Installer Program";

    CGlobal();  // reads the system facts
    explicit CGlobal(const SYSTEM_FACTS& facts);
    ~CGlobal() override = default;
    CGlobal(const CGlobal&) = delete;
    CGlobal& operator=(const CGlobal&) = delete;

    // Start-up: false when the run must stop (the reason is in the log). programPath empty
    // means the running program; the data file is "<program folder>\<program name>.dat".
    bool Initialise(const std::string& programPath = {});

    // --- start files (profiles) ---
    CProfileSet& DataSet() { return dataSet_; }
    CProfileSet& ConfigureSet() { return configureSet_; }
    CProfileSet& CommandSet() { return commandSet_; }
    CProfileSet& StringSet() { return stringSet_; }
    const CProfileSet& DataSet() const { return dataSet_; }
    const std::string& SetupFolder() const { return setupFolder_; }
    const std::string& InstallerExe() const { return installerExe_; }
    const std::string& DataFilePath() const { return dataFile_; }
    std::string ConfigureFilePath() const;
    const std::string& CommandFilePath() const { return commandFile_; }
    const std::string& StringFileFormat() const { return stringFileFormat_; }
    std::string StringFilePath() const;
    std::string StringFileName() const;
    const std::string& OrgLanguageStringFile() const { return orgStringFile_; }
    const std::string& Version() const { return version_; }
    // A profile's file value as a path (relative to the setup folder); with mustExist a
    // missing file gives the empty text.
    std::string ResolvePath(const std::string& value, bool mustExist) const;

    // --- options ---
    void ReadOptions();
    const OPTION_RECORD& Options() const { return options_; }
    bool UsbOnly() const { return options_.usbOnly != 0; }
    bool Network() const { return options_.network != 0; }
    bool RemoteInstall() const { return options_.remoteInstall != 0; }
    bool DeviceInstall() const { return options_.deviceInstall != 0; }
    bool ShowInstallError() const { return options_.showInstError != 0; }
    bool RightAlign() const { return options_.rightAlign != 0; }
    bool PrecreateDialogs() const { return options_.precreateDlg != 0; }
    bool MainOnly() const { return options_.mainOnly != 0; }
    bool AutoPrinterCommand() const { return options_.autoPrinterCmd != 0; }
    bool SetSourcePathOption() const { return options_.setSourcePath != 0; }
    bool UsePublicOid() const { return options_.usePublicOid != 0; }
    bool UseIpx() const { return options_.useIpx != 0; }
    bool StopFirewall() const { return options_.stopFirewall != 0; }
    bool Agfa() const { return options_.agfa != 0; }
    bool AgfaGiven() const { return options_.agfaGiven != 0; }
    void SetRemoteInstallMode(bool on) { options_.remoteInstall = on ? 1 : 0; }
    void SetAgfa(bool on) { options_.agfa = on ? 1 : 0; }

    // --- model ---
    const std::string& Manufacturer() const { return mfg_; }
    const std::string& Model() const { return mdl_; }
    const std::string& VidPid() const { return vidPid_; }
    const std::string& ProgramName() const { return programName_; }

    // --- language ---
    // requested 0: the language an earlier installation recorded, else the system's.
    // refresh: the user changed the language in the running wizard. True when it changed.
    bool SetLanguage(unsigned short requested, bool refresh);
    void SetSystemLanguageAbbr();
    unsigned short LanguageId() const;
    unsigned short SystemLanguageId() const { return facts_.systemLanguageId; }
    unsigned short OrgLanguageId() const;
    std::string LanguageAbbrText() const;
    std::string SystemLanguageAbbr() const;
    std::string OrgLanguageAbbr() const;
    std::string LanguageDir() const;
    std::string OrgLanguageDir() const;
    // LANGUAGE_ABBR / LANGUAGE_DIR of an id: full id, primary id, else the built-in table.
    std::string LookupLanguageName(const char* section, unsigned short id) const;
    void SetLanguageTextsReader(LanguageTextsReader* reader) { textsReader_ = reader; }
    void SetLanguageChangeWindow(LanguageChangeWindow* window) { changeWindow_ = window; }

    // --- macros ---
    std::string Expand(const std::string& text, unsigned short langId = 0, const std::string& langAbbr = {},
                       const std::string& langDir = {}) const;

    // --- system facts and registry roots ---
    const SYSTEM_FACTS& SystemFacts() const { return facts_; }
    const std::string& WindowsDir() const { return facts_.windowsDir; }
    const std::string& SystemDir() const { return facts_.systemDir; }
    const std::string& InfDir() const { return facts_.infDir; }
    const std::string& ProgramFilesDir() const { return facts_.programFilesDir; }
    const std::string& TempDir() const { return facts_.tempDir; }
    bool Is64BitSystem() const { return facts_.is64BitSystem; }
    const std::string& OsDefineText() const { return osDefine_; }
    const std::string& OsDir() const { return osDir_; }
    const std::string& InstallingRoot() const { return installingRoot_; }
    const std::string& InstallingHistoryRoot() const { return installingHistoryRoot_; }
    const std::string& InstalledRoot() const { return installedRoot_; }
    const std::string& InstalledHistoryRoot() const { return installedHistoryRoot_; }
    const std::string& UninstallInfoRoot() const { return uninstallInfoRoot_; }

    // --- installation target ---
    std::string Destination() const;
    std::string InitialDestination() const;
    std::string InstallDir() const;
    std::string Port() const;
    std::string Ip() const;
    void SetDestination(const std::string& path);  // empty: back to the initial destination
    void SetPort(const std::string& port);          // empty: the default port
    void SetIp(const std::string& ip);
    bool PortChosen() const { return portChosen_; }
    void SetPortChosen(bool chosen) { portChosen_ = chosen; }
    bool PrinterInstalled() const { return printerInstalled_; }
    void SetPrinterInstalled(bool installed);
    bool DeviceFoundFlag() const { return deviceFound_; }
    // Asks the utility module for the model's device port; with lptOnly only a port whose
    // name contains "LPT" counts.
    bool DeviceFound(bool lptOnly);
    bool AlreadyInstalled() const { return alreadyInstalled_; }
    void SetAlreadyInstalled(bool installed) { alreadyInstalled_ = installed; }

    CExternalFnt& Modules() { return modules_; }
    const CExternalFnt& Modules() const { return modules_; }

    // ProfileEnvironment
    bool RemoteInstallMode() const override { return RemoteInstall(); }
    bool NetworkOption() const override { return Network(); }
    bool UsbOnlyOption() const override { return UsbOnly(); }
    std::string OsDefine() const override { return osDefine_; }
    std::string LanguageAbbr() const override { return LanguageAbbrText(); }
    std::string ExpandMacros(const std::string& text, unsigned short langId, const std::string& langAbbr,
                             const std::string& langDir) const override;

    // ModuleConfig
    bool FindSection(const char* base, std::string& variant) const override;
    bool GetValue(const char* section, const char* key, std::string& value) const override;
    std::string ResolveExistingPath(const std::string& value) const override;

private:
    // start files
    void LocateProgram(const std::string& programPath);
    bool InitialiseProfiles();
    std::string ConfigureFileValue(const std::string& abbr) const;
    void ReadVersion();
    bool ReadModel();
    bool ComputeRegistryRoots();
    bool ReadOptionSwitch(const std::string& section, const char* key, unsigned char& value) const;
    // language
    std::vector<unsigned long> ListedLanguages() const;
    bool SelectLanguage(unsigned short requested, bool force);
    void LogLanguage() const;
    unsigned short RecordedLanguage() const;
    void RecordLanguage() const;
    void SwitchStringFile(const std::string& abbr);
    // system facts and target
    void ComputeOsDefine();
    void InitialiseTarget();
    std::string DefaultPort() const;
    setup::MACRO_VALUES MacroValues(unsigned short langId, const std::string& langAbbr,
                                    const std::string& langDir) const;

    SYSTEM_FACTS facts_;
    CProfileSet dataSet_{this};
    CProfileSet configureSet_{this};
    CProfileSet commandSet_{this};
    CProfileSet stringSet_{this};
    CExternalFnt modules_;

    std::string setupFolder_;
    std::string appName_;
    std::string installerExe_;
    std::string dataFile_;
    std::string commandFile_;
    std::string stringFileFormat_;
    std::string orgStringFile_;
    std::string version_;
    OPTION_RECORD options_;
    std::string mfg_, mdl_, vidPid_;
    std::string programName_ = kDefaultProgramName;
    std::string osDefine_, osDir_;
    std::string installingRoot_, installingHistoryRoot_, installedRoot_, installedHistoryRoot_,
        uninstallInfoRoot_;
    bool alreadyInstalled_ = false;
    bool portChosen_ = false;
    bool printerInstalled_ = false;
    bool deviceFound_ = false;
    LanguageTextsReader* textsReader_ = nullptr;
    LanguageChangeWindow* changeWindow_ = nullptr;

    // Fields that worker threads read while the wizard thread may change them.
    template <typename T>
    T LockedCopy(const T& field) const {
        std::lock_guard<std::mutex> guard(lock_);
        return field;
    }
    mutable std::mutex lock_;
    std::string configFile_;
    std::string stringFile_;
    std::string stringFileName_;
    unsigned short langId_ = 9;
    unsigned short orgLangId_ = 9;
    std::string langAbbr_ = "EN";
    std::string systemLangAbbr_ = "EN";
    std::string orgLangAbbr_ = "EN";
    std::string langDir_;
    std::string orgLangDir_;
    std::string destination_;
    std::string initialDestination_;
    std::string installDir_;
    std::string port_;
    std::string ip_;
};
