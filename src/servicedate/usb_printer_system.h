#pragma once
// What KXDate needs from the system, as one seam: the real implementation goes through
// SetupAPI, the registry and CreateFile; tests stage a device list and capture the writes.
#include <windows.h>

#include <optional>
#include <string>

namespace servicedate {

enum class InterfaceLookup { kFound, kEnd, kFailed };

class UsbPrinterSystem {
public:
    virtual ~UsbPrinterSystem() = default;

    // The present devices of the USB printing interface class; false when the list cannot be
    // had. CloseDeviceList releases it (and whatever a lookup allocated) and may be called twice.
    virtual bool OpenDeviceList() = 0;
    virtual void CloseDeviceList() = 0;
    // kEnd after the last interface; kFailed for an enumeration error or an unreadable device
    // path. portNumber is empty when the interface's key or its "Port Number" cannot be read.
    virtual InterfaceLookup GetInterface(unsigned index, std::string& devicePath,
                                         std::optional<unsigned long>& portNumber) = 0;
    // The device can be opened for reading (shared for reading, existing only).
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // Write access, no sharing, existing only; INVALID_HANDLE_VALUE on failure.
    virtual HANDLE OpenForWriting(const std::string& path) = 0;
    virtual void Write(HANDLE file, const std::string& bytes) = 0;
    virtual void Close(HANDLE file) = 0;

    virtual void DebugOutput(const std::string& text) = 0;
    virtual void LocalDate(int& year, int& month, int& day) = 0;
};

// The system itself.
UsbPrinterSystem& RealUsbPrinterSystem();

}  // namespace servicedate
