#include "environment/global.h"

#include "common/ansi_text.h"
#include "environment/folder_creation.h"
#include "environment/log.h"
#include "environment/path_rules.h"
#include "fileops/system_utils.h"
#include "profile/registry.h"

#include <windows.h>

namespace {

// The external modules take the model texts in buffers of 260 bytes.
std::string ModelCopy(const std::string& text) { return text.substr(0, MAX_PATH - 1); }

}  // namespace

void CGlobal::ComputeOsDefine() {
    osDefine_.clear();
    if (!facts_.version.available) LogWriteError(facts_.versionError, "Get OS Version fail");
    for (const std::string& key : setup::OsDefineKeys(facts_.version)) {
        if (dataSet_.GetString("OS_DEFINE", key.c_str(), osDefine_)) break;
    }
    LogWrite("OS Define String = %s", osDefine_.c_str());
    if (osDefine_.empty() || !dataSet_.GetString("OS_DIR", osDefine_.c_str(), osDir_)) osDir_ = osDefine_;
    LogWrite("OS Directory = %s", osDir_.c_str());
}

void CGlobal::InitialiseTarget() {
    mfg_ = ModelCopy(mfg_);
    mdl_ = ModelCopy(mdl_);
    vidPid_ = ModelCopy(vidPid_);

    std::string destination;
    char recorded[MAX_PATH] = {};
    if (!installedRoot_.empty() &&
        CRegistry::GetValue(installedRoot_.c_str(), "Dest_Dir", recorded, HKEY_LOCAL_MACHINE, sizeof(recorded)) ==
            ERROR_SUCCESS &&
        recorded[0] != '\0')
        destination = recorded;
    else if (!dataSet_.GetString("PROGRAM_INFO", "DESTINATION_DIR", destination) || destination.empty())
        destination = facts_.programFilesDir + "\\" + mfg_ + "\\" + programName_;
    destination = setup::WithoutTrailingBackslash(destination);
    {
        std::lock_guard<std::mutex> guard(lock_);
        destination_ = destination;
        initialDestination_ = destination;
        installDir_ = destination + "\\Install";
    }
    CreateFolderTree(destination);
    std::string port = DefaultPort();
    std::lock_guard<std::mutex> guard(lock_);
    port_ = port;
}

std::string CGlobal::DefaultPort() const {
    std::string port;
    if (dataSet_.GetString("PROGRAM_INFO", "DEFAULT_PORT", port) && !port.empty() &&
        setup::IsPortPresent(port.c_str()))
        return port;
    if (UsbOnly()) return "FILE:";
    return setup::IsPortPresent("LPT1:") ? "LPT1:" : "FILE:";
}

void CGlobal::SetDestination(const std::string& path) {
    std::string current = Expand(Destination());
    std::string target = path;
    if (target.empty()) {
        target = Expand(InitialDestination());
        LogWrite("Reset Destination Directory [%s]", target.c_str());
    }
    if (setup::text::EqualsNoCase(target, current)) return;

    // Only folders left empty go: nothing the user put there is removed.
    setup::RemoveFolderAndEmptyParents(current.c_str());
    LogWrite("Set Destination ==> %s", target.c_str());
    std::string destination = setup::WithoutTrailingBackslash(target);
    {
        std::lock_guard<std::mutex> guard(lock_);
        destination_ = destination;
        installDir_ = destination + "\\Install";
    }
    if (!installingRoot_.empty())
        CRegistry::SetValue(installingRoot_.c_str(), "Dest_Dir", destination.c_str(), HKEY_LOCAL_MACHINE);
    CreateFolderTree(destination);
}

void CGlobal::SetPort(const std::string& port) {
    std::string chosen = port.empty() ? DefaultPort() : port;
    {
        std::lock_guard<std::mutex> guard(lock_);
        port_ = chosen;
    }
    LogWrite("Set Port : %s", chosen.c_str());
}

void CGlobal::SetIp(const std::string& ip) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        ip_ = ip;
    }
    LogWrite("Set IP : %s", ip.c_str());
}

void CGlobal::SetPrinterInstalled(bool installed) {
    printerInstalled_ = installed;
    if (installed) LogWrite("Printer was installed");
}

bool CGlobal::DeviceFound(bool lptOnly) {
    char port[MAX_PATH] = {};
    unsigned long count = 0;
    modules_.GetDevicePort(mfg_.c_str(), mdl_.c_str(), vidPid_.c_str(), port, &count);
    if (count == 0) return false;
    deviceFound_ = true;
    if (!lptOnly) return true;
    port[MAX_PATH - 1] = '\0';
    std::string name = port;
    setup::text::UpperInPlace(name);
    return name.find("LPT") != std::string::npos;
}

std::string CGlobal::Destination() const { return LockedCopy(destination_); }

std::string CGlobal::InitialDestination() const { return LockedCopy(initialDestination_); }

std::string CGlobal::InstallDir() const { return LockedCopy(installDir_); }

std::string CGlobal::Port() const { return LockedCopy(port_); }

std::string CGlobal::Ip() const { return LockedCopy(ip_); }
