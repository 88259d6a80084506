#include "servicedate/usb_printer_port.h"

#include <cstdio>

namespace servicedate {
namespace {

constexpr unsigned kMaxInterfaces = 256;

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return i == a.size() && b[i] == '\0';
}

std::string PortName(unsigned long number) {
    char name[32];
    std::snprintf(name, sizeof(name), "USB%03lu", number);
    return name;
}

class DeviceListScope {
public:
    explicit DeviceListScope(UsbPrinterSystem& system) : system_(system) {}
    ~DeviceListScope() { system_.CloseDeviceList(); }
    DeviceListScope(const DeviceListScope&) = delete;
    DeviceListScope& operator=(const DeviceListScope&) = delete;

private:
    UsbPrinterSystem& system_;
};

// The device path of the matching printer, empty when none.
std::string FindDevicePath(const char* portName, UsbPrinterSystem& system) {
    for (unsigned index = 0; index < kMaxInterfaces; ++index) {
        std::string devicePath;
        std::optional<unsigned long> portNumber;
        InterfaceLookup lookup = system.GetInterface(index, devicePath, portNumber);
        if (lookup != InterfaceLookup::kFound) return {};
        if (portNumber && EqualsNoCase(PortName(*portNumber), portName) && !devicePath.empty() &&
            system.CanOpenForReading(devicePath)) {
            return devicePath;
        }
    }
    return {};
}

}  // namespace

HANDLE FindUsbPrinterPort(const char* portName, UsbPrinterSystem& system) {
    if (portName == nullptr) portName = "";
    if (!system.OpenDeviceList()) return INVALID_HANDLE_VALUE;
    DeviceListScope scope(system);
    std::string devicePath = FindDevicePath(portName, system);
    if (devicePath.empty()) return INVALID_HANDLE_VALUE;
    return system.OpenForWriting(devicePath + "\\PIPE00");
}

}  // namespace servicedate
