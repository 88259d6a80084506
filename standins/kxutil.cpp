// Utility module: connected devices (from the simulation file), Plug and Play helpers, free space.
#include "standin.h"

namespace {

using standin::Arg;

// A device belongs to the model when its VID/PID matches, or its manufacturer and model do.
bool IsOfModel(const standin::UsbDevice& d, const char* mfg, const char* mdl, const char* vidPid) {
    if (vidPid && *vidPid && standin::EqualNoCase(d.vidPid, vidPid)) return true;
    return mfg && mdl && standin::EqualNoCase(d.mfg, mfg) && standin::EqualNoCase(d.mdl, mdl);
}

// The new-hardware wizard's window: its title from [PNP] WizardTitle, else the system's own.
HWND FindHardwareWizard() {
    std::string title = standin::SimText("PNP", "WizardTitle", "Found New Hardware Wizard");
    return FindWindowA(nullptr, title.c_str());
}

constexpr std::size_t kPortBufferSize = 260;

}  // namespace

// Writes the ports of connected devices of the model as strings one after the other, as many
// as fit in 260 bytes, and their number; -1 when [USB] Available=0 (USB switched off).
STANDIN_EXPORT int WINAPI GetDevicePort(const char* mfg, const char* mdl, const char* vidPid, char* port,
                                        unsigned long* count) {
    standin::CallLog("GetDevicePort", {Arg(mfg), Arg(mdl), Arg(vidPid)});
    if (!port || !count) return 0;
    port[0] = '\0';
    *count = 0;
    if (standin::SimNumber("USB", "Available", 1) == 0) {
        *count = static_cast<unsigned long>(-1);
        return 1;
    }
    std::size_t used = 0;
    for (const standin::UsbDevice& device : standin::UsbDevices()) {
        if (!IsOfModel(device, mfg, mdl, vidPid) || device.port.empty()) continue;
        // Room for this name, its NUL and the final NUL.
        if (used + device.port.size() + 2 > kPortBufferSize) break;
        standin::CopyOut(port + used, device.port.size() + 1, device.port);
        used += device.port.size() + 1;
        port[used] = '\0';
        ++*count;
    }
    return 1;
}

// The device ID of the device on the port (at most 259 characters); 0 when none answers.
STANDIN_EXPORT int WINAPI MyGetDeviceIDFromPort(const char* port, char* deviceId) {
    standin::CallLog("MyGetDeviceIDFromPort", {Arg(port)});
    if (!port || !deviceId) return 0;
    for (const standin::UsbDevice& device : standin::UsbDevices()) {
        if (standin::EqualNoCase(device.port, port) && !device.deviceId.empty()) {
            standin::CopyOut(deviceId, 260, device.deviceId);
            return 1;
        }
    }
    return 0;
}

STANDIN_EXPORT int WINAPI StartPreventPnP(const char* mfgAndModel) {
    standin::CallLog("StartPreventPnP", {Arg(mfgAndModel)});
    return 1;
}

STANDIN_EXPORT int WINAPI EndPreventPnP(const char* mfgAndModel) {
    standin::CallLog("EndPreventPnP", {Arg(mfgAndModel)});
    return 1;
}

// Asks the wizard to close; 0 when it is not there.
STANDIN_EXPORT int WINAPI RemoveHardwareWizardDialog() {
    standin::CallLog("RemoveHardwareWizardDialog", {});
    HWND wizard = FindHardwareWizard();
    return wizard && PostMessageA(wizard, WM_CLOSE, 0, 0) ? 1 : 0;
}

STANDIN_EXPORT int WINAPI MySetForegroundNHWdDialog() {
    standin::CallLog("MySetForegroundNHWdDialog", {});
    HWND wizard = FindHardwareWizard();
    return wizard && SetForegroundWindow(wizard) ? 1 : 0;
}

STANDIN_EXPORT int WINAPI SystemRefresh(const char* mfgAndModel, const char* vidPid) {
    standin::CallLog("SystemRefresh", {Arg(mfgAndModel), Arg(vidPid)});
    return 1;
}

STANDIN_EXPORT int WINAPI SystemRefreshOnly() {
    standin::CallLog("SystemRefreshOnly", {});
    return 1;
}

STANDIN_EXPORT int WINAPI RemoveUnknownDev(const char* mfgAndModel, const char* vidPid) {
    standin::CallLog("RemoveUnknownDev", {Arg(mfgAndModel), Arg(vidPid)});
    return 1;
}

// Free megabytes on the drive of the path (the system drive for an empty path). Less than one
// megabyte is reported as 1, since 0 would mean "unknown" and pass every requirement; the
// result stays below 2^31 for callers that compare it as a signed number.
STANDIN_EXPORT unsigned long WINAPI GetDiskFreeSpaceKX(const char* path) {
    standin::CallLog("GetDiskFreeSpaceKX", {Arg(path)});
    char root[MAX_PATH + 1] = {};
    std::string text = path ? path : "";
    if (text.empty()) {
        if (!GetWindowsDirectoryA(root, MAX_PATH)) return 0;
        text = root;
    }
    // The volume root: "C:\" or "\\server\share\"; the folder itself need not exist yet.
    std::string volume;
    if (text.size() >= 2 && text[1] == ':') {
        volume = text.substr(0, 2) + "\\";
    } else if (text.rfind("\\\\", 0) == 0) {
        std::size_t share = text.find('\\', 2);
        std::size_t end = share == std::string::npos ? std::string::npos : text.find('\\', share + 1);
        volume = (end == std::string::npos ? text : text.substr(0, end)) + "\\";
    } else {
        return 0;
    }
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(volume.c_str(), &available, nullptr, nullptr)) return 0;
    unsigned long long megabytes = available.QuadPart / (1024ull * 1024ull);
    if (megabytes == 0) return 1;
    return megabytes > 0x7FFFFFFFull ? 0x7FFFFFFFul : static_cast<unsigned long>(megabytes);
}
