#include "modules/external_fnt.h"

#include "environment/log.h"

#include <cstdint>

namespace {

// Where a configuration key's path goes: one of the modules, or a program that is only named.
enum PathSlot { kUninstallerSlot = CExternalFnt::kModuleCount, kViewerSlot };

struct ModuleKey {
    int slot;
    const char* key;
    const char* defaultValue;
    const char* loadFailure;  // nullptr: the path is only kept
};

// In load order.
constexpr ModuleKey kModuleKeys[] = {
    {CExternalFnt::kInstaller, "INSTALLER_DLL", ".\\data\\Kxrun.dll", "Load installer DLL fail (%s)"},
    {CExternalFnt::kUtility, "UTILITY_DLL", ".\\data\\Kxutil.dll", "Load Utility DLL fail (%s)"},
    {CExternalFnt::kRemoteInstall, "REMOTE_INSTALL_DLL", ".\\data\\Kxrmtint.dll", "Load Remote DLL fail (%s)"},
    {CExternalFnt::kDiagnosis, "DIAGNOSIS_DLL", ".\\data\\Kxdiag.dll", "Load Diagnosis DLL fail (%s)"},
    {CExternalFnt::kTestPage, "TESTPAGE_DLL", ".\\data\\Kxdiag.dll", "Load TestPage DLL fail (%s)"},
    {CExternalFnt::kNetManager, "NETWORKMAN_DLL", ".\\data\\KxNetMan.dll", "Load Netmanager DLL fail (%s)"},
    {CExternalFnt::kResource, "RESOURCE_DLL", ".\\KXres.dll", "Load Resource DLL fail (%s)"},
    {kUninstallerSlot, "UNINSTALLER_EXE", ".\\data\\ROZirOvo.exe", nullptr},
    {kViewerSlot, "ZEROVA_EXE", ".\\data\\Zerova.exe", nullptr},
    {CExternalFnt::kPreInstaller, "PREINSTALLER_DLL", ".\\data\\KXpre.dll", "Load Preinstaller DLL fail (%s)"},
    {CExternalFnt::kSetIp, "SETIP_DLL", ".\\data\\Setip.dll", "Load SetIP DLL fail (%s)"},
};

struct FunctionEntry {
    CExternalFnt::Function function;
    CExternalFnt::Module module;
    const char* name;
};

constexpr FunctionEntry kFunctions[] = {
    {CExternalFnt::fnGetDevicePort, CExternalFnt::kUtility, "GetDevicePort"},
    {CExternalFnt::fnStartPreventPnP, CExternalFnt::kUtility, "StartPreventPnP"},
    {CExternalFnt::fnEndPreventPnP, CExternalFnt::kUtility, "EndPreventPnP"},
    {CExternalFnt::fnRemoveHardwareWizardDialog, CExternalFnt::kUtility, "RemoveHardwareWizardDialog"},
    {CExternalFnt::fnMySetForegroundNHWdDialog, CExternalFnt::kUtility, "MySetForegroundNHWdDialog"},
    {CExternalFnt::fnSystemRefresh, CExternalFnt::kUtility, "SystemRefresh"},
    {CExternalFnt::fnRemoveUnknownDev, CExternalFnt::kUtility, "RemoveUnknownDev"},
    {CExternalFnt::fnSaveFile, CExternalFnt::kUtility, "SaveFile"},
    {CExternalFnt::fnGetDiskFreeSpaceKX, CExternalFnt::kUtility, "GetDiskFreeSpaceKX"},
    {CExternalFnt::fnMyGetDeviceIDFromPort, CExternalFnt::kUtility, "MyGetDeviceIDFromPort"},
    {CExternalFnt::fnSystemRefreshOnly, CExternalFnt::kUtility, "SystemRefreshOnly"},
    {CExternalFnt::fnMyInstall, CExternalFnt::kInstaller, "MyInstall"},
    {CExternalFnt::fnMyCreateShortCut, CExternalFnt::kInstaller, "MyCreateShortCut"},
    {CExternalFnt::fnDiagnosis, CExternalFnt::kDiagnosis, "Diagnosis"},
    {CExternalFnt::fnDiagnosisEx, CExternalFnt::kDiagnosis, "DiagnosisEx"},
    {CExternalFnt::fnPrintTestPage, CExternalFnt::kTestPage, "PrintTestPage"},
    {CExternalFnt::fnMetaTestPage, CExternalFnt::kTestPage, "MetaTestPage"},
    {CExternalFnt::fnPrintPrnFile, CExternalFnt::kTestPage, "PrintPrnFile"},
    {CExternalFnt::fnMySetNetworkPort, CExternalFnt::kNetManager, "MySetNetworkPort"},
    {CExternalFnt::fnMySetNetworkPortEx, CExternalFnt::kNetManager, "MySetNetworkPortEx"},
    {CExternalFnt::fnMyDelNetworkPort, CExternalFnt::kNetManager, "MyDelNetworkPort"},
    {CExternalFnt::fnMyGetPrinterDesc, CExternalFnt::kNetManager, "MyGetPrinterDesc"},
    {CExternalFnt::fnMyGetIPX, CExternalFnt::kNetManager, "MyGetIPX"},
    {CExternalFnt::fnGetNetworkPrinter, CExternalFnt::kNetManager, "GetNetworkPrinter"},
    {CExternalFnt::fnMyDelNetworkMonitor, CExternalFnt::kNetManager, "MyDelNetworkMonitor"},
    {CExternalFnt::fnMyVerifyPrinter, CExternalFnt::kNetManager, "MyVerifyPrinter"},
    {CExternalFnt::fnSetIP, CExternalFnt::kSetIp, "SetIP"},
    {CExternalFnt::fnGetNetPrinter, CExternalFnt::kSetIp, "GetNetPrinter"},
    {CExternalFnt::fnVerifyNetworkPrinter, CExternalFnt::kSetIp, "VerifyNetworkPrinter"},
    {CExternalFnt::fnPreinstall, CExternalFnt::kPreInstaller, "Preinstall"},
    {CExternalFnt::fnDoRemoteInstall, CExternalFnt::kRemoteInstall, "DoRemoteInstall"},
    {CExternalFnt::fnCheckRemoteAdmin, CExternalFnt::kRemoteInstall, "CheckRemoteAdmin"},
    {CExternalFnt::fnCheckLogonUser, CExternalFnt::kRemoteInstall, "CheckLogonUser"},
};
static_assert(sizeof(kFunctions) / sizeof(kFunctions[0]) == CExternalFnt::kFunctionCount);

// The modules' exports: standard calling convention, ANSI texts, 32-bit numbers and results.
using GetDevicePortFn = int(WINAPI*)(const char*, const char*, const char*, char*, unsigned long*);
using TextFn = int(WINAPI*)(const char*);
using NoArgumentFn = int(WINAPI*)();
using TwoTextFn = int(WINAPI*)(const char*, const char*);
using SaveFileFn = int(WINAPI*)(const char*, const char*, int);
using GetDiskFreeSpaceKXFn = unsigned long(WINAPI*)(const char*);
using GetDeviceIdFn = int(WINAPI*)(const char*, char*);
using MyInstallFn = int(WINAPI*)(int, const char*, const char*, int);
using MyCreateShortCutFn = int(WINAPI*)(int, const char*, const char*);
using DiagnosisFn = int(WINAPI*)(const char*, const char*, const char*, const char*);
using DiagnosisExFn = int(WINAPI*)(const char*, const char*, const char*, const char*, int);
using PrintTestPageFn = int(WINAPI*)(const char*, const char*, const char*, const char*, const char*);
using MySetNetworkPortFn = int(WINAPI*)(const char*, const char*, const char*, const char*, const char*, int);
using MySetNetworkPortExFn = int(WINAPI*)(const char*, const char*, const char*, const char*, const char*,
                                          const char*, const char*, int);
using MyDelNetworkPortFn = int(WINAPI*)(const char*, const char*, int);
using MyGetPrinterDescFn = unsigned long(WINAPI*)(const char*, char*, int);
using SetIpFn = unsigned long(WINAPI*)(const char*, const char*, const char*, const char*);
using GetNetPrinterFn = int(WINAPI*)(void*, unsigned long*, int*);
using PreinstallFn = int(WINAPI*)(const char*, int);
using DoRemoteInstallFn = int(WINAPI*)(void*);

const char* Text(const char* text) { return text ? text : ""; }

// Callers of the byte-sized functions see only the low byte as true/false.
bool LowByte(int result) { return (result & 0xFF) != 0; }

// The line and the fallback result of a function whose module or export is missing.
template <typename T>
T Missing(CExternalFnt::Function function, T fallback) {
    LogWrite("Call %s ==> NULL", kFunctions[function].name);
    return fallback;
}

bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return true;
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

bool LookUp(const ModuleConfig& config, const std::string& variant, const char* section, const char* key,
            std::string& value) {
    return config.GetValue(variant.c_str(), key, value) || config.GetValue(section, key, value);
}

}  // namespace

template <typename Fn>
Fn CExternalFnt::Bound(Function function) const {
    FARPROC proc = functions_[function];
    // Through the generic function pointer type, which converts to any other without warning.
    return proc ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc)) : nullptr;
}

bool CExternalFnt::LoadModules(const char* section, const ModuleConfig& config) {
    Unload();
    const char* base = section ? section : "";
    std::string variant;
    if (!config.FindSection(base, variant) || variant.empty()) variant = base;
    for (const ModuleKey& entry : kModuleKeys) LoadModule(entry.slot, base, variant, config);
    BindFunctions();
    return true;
}

void CExternalFnt::Unload() {
    functions_.fill(nullptr);
    for (auto& module : modules_) module.reset();
    for (auto& path : paths_) path.clear();
    uninstallerPath_.clear();
    viewerPath_.clear();
}

void CExternalFnt::LoadModule(int slot, const char* section, const std::string& variant,
                              const ModuleConfig& config) {
    const ModuleKey* entry = nullptr;
    for (const ModuleKey& candidate : kModuleKeys)
        if (candidate.slot == slot) entry = &candidate;

    std::string value;
    if (!LookUp(config, variant, section, entry->key, value)) {
        // Without its own key the test page comes from the diagnosis module.
        if (slot != kTestPage || !config.GetValue(section, "DIAGNOSIS_DLL", value)) value = entry->defaultValue;
    }
    std::string path = config.ResolveExistingPath(value);
    // The altered search order takes the module's folder from a path with backslashes only.
    for (char& c : path)
        if (c == '/') c = '\\';

    if (slot == kUninstallerSlot) { uninstallerPath_ = path; return; }
    if (slot == kViewerSlot) { viewerPath_ = path; return; }
    paths_[slot] = path;

    // A file that is not there: the line names the configured value, the only name there is.
    if (path.empty()) {
        if (slot == kNetManager)
            LogWriteError(ERROR_FILE_NOT_FOUND, "Get network Netmanager DLL fail");
        else
            LogWriteError(ERROR_FILE_NOT_FOUND, entry->loadFailure, value.c_str());
        return;
    }
    // A relative name would be searched for (current folder included): only full paths load.
    if (!IsFullPath(path)) {
        LogWriteError(ERROR_BAD_PATHNAME, entry->loadFailure, path.c_str());
        return;
    }
    // No "cannot find a component" box for a broken module: the failure goes to the log.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The module's own dependencies come from its folder, never from the current folder.
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD error = GetLastError();
    SetErrorMode(previousMode);
    if (!module) {
        LogWriteError(error, entry->loadFailure, path.c_str());
        return;
    }
    modules_[slot].reset(module);
}

void CExternalFnt::BindFunctions() {
    for (const FunctionEntry& entry : kFunctions) {
        HMODULE module = modules_[entry.module].get();
        functions_[entry.function] = module ? GetProcAddress(module, entry.name) : nullptr;
    }
}

bool CExternalFnt::GetDevicePort(const char* manufacturer, const char* model, const char* vidPid, char* port,
                                 unsigned long* portCount) const {
    auto fn = Bound<GetDevicePortFn>(fnGetDevicePort);
    if (!fn) return Missing(fnGetDevicePort, false);
    LogWrite("Call GetDevicePort(%s,%s,%s,lpPort,lpdwPortNum)", Text(manufacturer), Text(model), Text(vidPid));
    return LowByte(fn(manufacturer, model, vidPid, port, portCount));
}

bool CExternalFnt::StartPreventPnP(const char* manufacturerAndModel) const {
    auto fn = Bound<TextFn>(fnStartPreventPnP);
    if (!fn) return Missing(fnStartPreventPnP, false);
    LogWrite("Call StartPreventPnP(%s)", Text(manufacturerAndModel));
    return LowByte(fn(manufacturerAndModel));
}

bool CExternalFnt::EndPreventPnP(const char* manufacturerAndModel) const {
    auto fn = Bound<TextFn>(fnEndPreventPnP);
    if (!fn) return Missing(fnEndPreventPnP, false);
    LogWrite("Call EndPreventPnP(%s)", Text(manufacturerAndModel));
    return LowByte(fn(manufacturerAndModel));
}

// These two are polled every second by the device-wait loops: no line per call.
bool CExternalFnt::RemoveHardwareWizardDialog() const {
    auto fn = Bound<NoArgumentFn>(fnRemoveHardwareWizardDialog);
    if (!fn) return Missing(fnRemoveHardwareWizardDialog, false);
    return LowByte(fn());
}

bool CExternalFnt::MySetForegroundNHWdDialog() const {
    auto fn = Bound<NoArgumentFn>(fnMySetForegroundNHWdDialog);
    if (!fn) return Missing(fnMySetForegroundNHWdDialog, false);
    return LowByte(fn());
}

bool CExternalFnt::SystemRefresh(const char* manufacturerAndModel, const char* vidPid) const {
    auto fn = Bound<TwoTextFn>(fnSystemRefresh);
    if (!fn) return Missing(fnSystemRefresh, false);
    LogWrite("Call SystemRefresh(%s,%s)", Text(manufacturerAndModel), Text(vidPid));
    return LowByte(fn(manufacturerAndModel, vidPid));
}

bool CExternalFnt::RemoveUnknownDev(const char* manufacturerAndModel, const char* vidPid) const {
    auto fn = Bound<TwoTextFn>(fnRemoveUnknownDev);
    if (!fn) return Missing(fnRemoveUnknownDev, false);
    LogWrite("Call RemoveUnknownDev(%s,%s)", Text(manufacturerAndModel), Text(vidPid));
    return LowByte(fn(manufacturerAndModel, vidPid));
}

int CExternalFnt::SaveFile(const char* filePath, const char* keyPath, int reserved) const {
    auto fn = Bound<SaveFileFn>(fnSaveFile);
    if (!fn) return Missing(fnSaveFile, 0);
    LogWrite("Call SaveFile(%s,%s,%d)", Text(filePath), Text(keyPath), reserved);
    return fn(filePath, keyPath, reserved);
}

unsigned long CExternalFnt::GetDiskFreeSpaceKX(const char* path) const {
    auto fn = Bound<GetDiskFreeSpaceKXFn>(fnGetDiskFreeSpaceKX);
    if (!fn) return Missing(fnGetDiskFreeSpaceKX, 0ul);
    LogWrite("Call GetDiskFreeSpaceKX(%s)", Text(path));
    return fn(path);
}

int CExternalFnt::MyGetDeviceIDFromPort(const char* port, char* deviceId) const {
    auto fn = Bound<GetDeviceIdFn>(fnMyGetDeviceIDFromPort);
    if (!fn) return Missing(fnMyGetDeviceIDFromPort, 0);
    LogWrite("Call MyGetDeviceIDFromPort");
    return fn(port, deviceId);
}

int CExternalFnt::MyInstall(int reserved, const char* installingKey, const char* itemKey, int installed) const {
    auto fn = Bound<MyInstallFn>(fnMyInstall);
    if (!fn) return Missing(fnMyInstall, 0);
    LogWrite("Call MyInstall(%d,%s,%s,%d)", reserved, Text(installingKey), Text(itemKey), installed);
    return fn(reserved, installingKey, itemKey, installed);
}

int CExternalFnt::MyCreateShortCut(int reserved, const char* installingKey, const char* shortcutKey) const {
    auto fn = Bound<MyCreateShortCutFn>(fnMyCreateShortCut);
    if (!fn) return Missing(fnMyCreateShortCut, 0);
    LogWrite("Call MyCreateShortCut(%d,%s,%s)", reserved, Text(installingKey), Text(shortcutKey));
    return fn(reserved, installingKey, shortcutKey);
}

int CExternalFnt::Diagnosis(const char* manufacturer, const char* printer, const char* model,
                            const char* vidPid) const {
    auto fn = Bound<DiagnosisFn>(fnDiagnosis);
    if (!fn) return Missing(fnDiagnosis, 1);
    LogWrite("Call Diagnosis(%s,%s,%s,%s)", Text(manufacturer), Text(printer), Text(model), Text(vidPid));
    return fn(manufacturer, printer, model, vidPid);
}

int CExternalFnt::DiagnosisEx(const char* manufacturer, const char* printer, const char* model,
                              const char* vidPid, int reserved) const {
    auto fn = Bound<DiagnosisExFn>(fnDiagnosisEx);
    if (!fn) return Missing(fnDiagnosisEx, 1);
    LogWrite("Call DiagnosisEx(%s,%s,%s,%s,%d)", Text(manufacturer), Text(printer), Text(model), Text(vidPid),
             reserved);
    return fn(manufacturer, printer, model, vidPid, reserved);
}

int CExternalFnt::PrintTestPage(const char* printer, const char* p2, const char* p3, const char* resourcePath,
                                const char* p4) const {
    auto fn = Bound<PrintTestPageFn>(fnPrintTestPage);
    if (!fn) return Missing(fnPrintTestPage, -1);
    LogWrite("Call PrintTestPage(%s,%s,%s,%s,%s)", Text(printer), Text(p2), Text(p3), Text(resourcePath), Text(p4));
    return fn(printer, p2, p3, resourcePath, p4);
}

int CExternalFnt::MetaTestPage(const char* printer, const char* file) const {
    auto fn = Bound<TwoTextFn>(fnMetaTestPage);
    if (!fn) return Missing(fnMetaTestPage, -1);
    LogWrite("Call MetaTestPage(%s,%s)", Text(printer), Text(file));
    return fn(printer, file);
}

// Missing gives 1, not -1: callers then skip the system test page fallback.
int CExternalFnt::PrintPrnFile(const char* printer, const char* file) const {
    auto fn = Bound<TwoTextFn>(fnPrintPrnFile);
    if (!fn) return Missing(fnPrintPrnFile, 1);
    LogWrite("Call PrintPrnFile(%s,%s)", Text(printer), Text(file));
    return fn(printer, file);
}

int CExternalFnt::MySetNetworkPort(const char* port, const char* ip, const char* monitorName,
                                   const char* monitorFile, const char* mutexName, int noMonitor) const {
    auto fn = Bound<MySetNetworkPortFn>(fnMySetNetworkPort);
    if (!fn) return Missing(fnMySetNetworkPort, 0);
    LogWrite("Call MySetNetworkPort(%s,%s,%s,%s,%s,%d)", Text(port), Text(ip), Text(monitorName), Text(monitorFile),
             Text(mutexName), noMonitor);
    return fn(port, ip, monitorName, monitorFile, mutexName, noMonitor);
}

int CExternalFnt::MySetNetworkPortEx(const char* port, const char* ip, const char* mac, const char* ipx,
                                     const char* monitorName, const char* monitorFile, const char* mutexName,
                                     int noMonitor) const {
    auto fn = Bound<MySetNetworkPortExFn>(fnMySetNetworkPortEx);
    if (!fn) return Missing(fnMySetNetworkPortEx, 0);
    LogWrite("Call MySetNetworkPortEx(%s,%s,%s,%s,%s,%s,%s,%d)", Text(port), Text(ip), Text(mac), Text(ipx),
             Text(monitorName), Text(monitorFile), Text(mutexName), noMonitor);
    return fn(port, ip, mac, ipx, monitorName, monitorFile, mutexName, noMonitor);
}

int CExternalFnt::MyDelNetworkPort(const char* port, const char* mutexName, int noMonitor) const {
    auto fn = Bound<MyDelNetworkPortFn>(fnMyDelNetworkPort);
    if (!fn) return Missing(fnMyDelNetworkPort, 0);
    LogWrite("Call MyDelNetworkPort(%s,%s,%d)", Text(port), Text(mutexName), noMonitor);
    return fn(port, mutexName, noMonitor);
}

unsigned long CExternalFnt::MyGetPrinterDesc(const char* ip, char* description, int usePublicOid) const {
    auto fn = Bound<MyGetPrinterDescFn>(fnMyGetPrinterDesc);
    if (!fn) return Missing(fnMyGetPrinterDesc, 4096ul);
    LogWrite("Call MyGetPrinterDesc(%s)", Text(ip));
    return fn(ip, description, usePublicOid);
}

int CExternalFnt::MyGetIPX(const char* ip, char* ipx) const {
    auto fn = Bound<GetDeviceIdFn>(fnMyGetIPX);
    if (!fn) return Missing(fnMyGetIPX, 0);
    LogWrite("Call MyGetIPX(%s)", Text(ip));
    return fn(ip, ipx);
}

unsigned long CExternalFnt::SetIP(const char* ip, const char* gateway, const char* subnet, const char* mac) const {
    auto fn = Bound<SetIpFn>(fnSetIP);
    if (!fn) return Missing(fnSetIP, 1ul);
    LogWrite("Call SetIP(%s,%s,%s,%s)", Text(ip), Text(gateway), Text(subnet), Text(mac));
    return fn(ip, gateway, subnet, mac);
}

// Logged as the buffer's address (0 for the counting call), the size and the count passed in.
int CExternalFnt::GetNetPrinter(void* records, unsigned long* size, int* count) const {
    auto fn = Bound<GetNetPrinterFn>(fnGetNetPrinter);
    if (!fn) return Missing(fnGetNetPrinter, 1);
    LogWrite("Call GetNetPrinter(%d,%d,%d)", static_cast<int>(reinterpret_cast<std::intptr_t>(records)),
             size ? static_cast<int>(*size) : 0, count ? *count : 0);
    return fn(records, size, count);
}

int CExternalFnt::Preinstall(const char* commandLine, int number) const {
    auto fn = Bound<PreinstallFn>(fnPreinstall);
    if (!fn) return Missing(fnPreinstall, -1);
    LogWrite("Call Preinstall(%s,%d)", Text(commandLine), number);
    return fn(commandLine, number);
}

int CExternalFnt::DoRemoteInstall(void* request) const {
    auto fn = Bound<DoRemoteInstallFn>(fnDoRemoteInstall);
    if (!fn) return Missing(fnDoRemoteInstall, 0);
    return fn(request);
}
