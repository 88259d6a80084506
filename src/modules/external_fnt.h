#pragma once
// The maker's modules on the medium: loaded once at start-up, their functions bound by name,
// each reached through a wrapper that writes its log line and tolerates a missing module or
// export (the wrapper then logs "Call <Name> ==> NULL" and returns a fixed fallback).
// The wrappers keep no state and may be called from any thread; the modules are freed when
// the table is destroyed.
#include "common/unique_handle.h"
#include "modules/module_config.h"

#include <windows.h>

#include <array>
#include <string>

class CExternalFnt {
public:
    // The modules in the order they are loaded.
    enum Module {
        kInstaller,
        kUtility,
        kRemoteInstall,
        kDiagnosis,
        kTestPage,
        kNetManager,
        kResource,
        kPreInstaller,
        kSetIp,
        kModuleCount
    };

    // Every function looked up, grouped by module.
    enum Function {
        fnGetDevicePort,
        fnStartPreventPnP,
        fnEndPreventPnP,
        fnRemoveHardwareWizardDialog,
        fnMySetForegroundNHWdDialog,
        fnSystemRefresh,
        fnRemoveUnknownDev,
        fnSaveFile,
        fnGetDiskFreeSpaceKX,
        fnMyGetDeviceIDFromPort,
        fnSystemRefreshOnly,
        fnMyInstall,
        fnMyCreateShortCut,
        fnDiagnosis,
        fnDiagnosisEx,
        fnPrintTestPage,
        fnMetaTestPage,
        fnPrintPrnFile,
        fnMySetNetworkPort,
        fnMySetNetworkPortEx,
        fnMyDelNetworkPort,
        fnMyGetPrinterDesc,
        fnMyGetIPX,
        fnGetNetworkPrinter,
        fnMyDelNetworkMonitor,
        fnMyVerifyPrinter,
        fnSetIP,
        fnGetNetPrinter,
        fnVerifyNetworkPrinter,
        fnPreinstall,
        fnDoRemoteInstall,
        fnCheckRemoteAdmin,
        fnCheckLogonUser,
        kFunctionCount
    };

    CExternalFnt() = default;
    CExternalFnt(const CExternalFnt&) = delete;
    CExternalFnt& operator=(const CExternalFnt&) = delete;
    ~CExternalFnt() = default;

    // Loads every configured module of the section (INSTALLER_FILE_INFO) and binds its
    // functions. Loading again first releases what the table held. Always true: a module that
    // is missing only leaves its functions unbound.
    bool LoadModules(const char* section, const ModuleConfig& config);

    const std::string& UninstallerPath() const { return uninstallerPath_; }
    const std::string& ViewerPath() const { return viewerPath_; }
    const std::string& ResourcePath() const { return paths_[kResource]; }
    HMODULE ResourceModule() const { return modules_[kResource].get(); }
    HMODULE ModuleHandle(Module module) const { return modules_[module].get(); }
    const std::string& ModulePath(Module module) const { return paths_[module]; }
    bool HasFunction(Function function) const { return functions_[function] != nullptr; }

    // Utility module. The results marked "low byte" are the low byte of the module's answer.
    bool GetDevicePort(const char* manufacturer, const char* model, const char* vidPid, char* port,
                       unsigned long* portCount) const;  // low byte; outputs untouched when missing
    bool StartPreventPnP(const char* manufacturerAndModel) const;  // low byte
    bool EndPreventPnP(const char* manufacturerAndModel) const;    // low byte
    bool RemoveHardwareWizardDialog() const;                       // low byte
    bool MySetForegroundNHWdDialog() const;                        // low byte
    bool SystemRefresh(const char* manufacturerAndModel, const char* vidPid) const;     // low byte
    bool RemoveUnknownDev(const char* manufacturerAndModel, const char* vidPid) const;  // low byte
    int SaveFile(const char* filePath, const char* keyPath, int reserved) const;       // non-zero: written
    // Free space in megabytes; 0 means unknown (counts as enough).
    unsigned long GetDiskFreeSpaceKX(const char* path) const;
    int MyGetDeviceIDFromPort(const char* port, char* deviceId) const;  // non-zero: deviceId filled

    // Installer module: non-zero means success.
    int MyInstall(int reserved, const char* installingKey, const char* itemKey, int installed) const;
    int MyCreateShortCut(int reserved, const char* installingKey, const char* shortcutKey) const;

    // Diagnosis and test-page modules: -1 from the test-page functions means "not printed".
    int Diagnosis(const char* manufacturer, const char* printer, const char* model, const char* vidPid) const;
    int DiagnosisEx(const char* manufacturer, const char* printer, const char* model, const char* vidPid,
                    int reserved) const;
    int PrintTestPage(const char* printer, const char* p2, const char* p3, const char* resourcePath,
                      const char* p4) const;
    int MetaTestPage(const char* printer, const char* file) const;
    int PrintPrnFile(const char* printer, const char* file) const;

    // Network module.
    int MySetNetworkPort(const char* port, const char* ip, const char* monitorName, const char* monitorFile,
                         const char* mutexName, int noMonitor) const;
    int MySetNetworkPortEx(const char* port, const char* ip, const char* mac, const char* ipx,
                           const char* monitorName, const char* monitorFile, const char* mutexName,
                           int noMonitor) const;
    int MyDelNetworkPort(const char* port, const char* mutexName, int noMonitor) const;
    // 0: a printer answered and its description is in the buffer (16384 bytes).
    unsigned long MyGetPrinterDesc(const char* ip, char* description, int usePublicOid) const;
    int MyGetIPX(const char* ip, char* ipx) const;

    // Set-IP module. SetIP: 0 or a system error code. GetNetPrinter: records of 65 bytes.
    unsigned long SetIP(const char* ip, const char* gateway, const char* subnet, const char* mac) const;
    int GetNetPrinter(void* records, unsigned long* size, int* count) const;

    // Pre-installer and remote-install modules. Preinstall's number is the caller's window
    // handle as a 32-bit number (window handles fit in 32 bits on 64-bit Windows too).
    int Preinstall(const char* commandLine, int number) const;
    int DoRemoteInstall(void* request) const;  // request: 2048 bytes; non-zero: success

private:
    void Unload();
    void LoadModule(int slot, const char* section, const std::string& variant, const ModuleConfig& config);
    void BindFunctions();
    template <typename Fn>
    Fn Bound(Function function) const;

    std::array<setup::UniqueModule, kModuleCount> modules_;
    std::array<std::string, kModuleCount> paths_;
    std::array<FARPROC, kFunctionCount> functions_{};
    std::string uninstallerPath_;
    std::string viewerPath_;
};
