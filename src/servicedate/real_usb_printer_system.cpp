#include "servicedate/usb_printer_system.h"

#include <initguid.h>
#include <setupapi.h>

#include <cstddef>
#include <vector>

namespace servicedate {
namespace {

// The published USB printing device interface class.
DEFINE_GUID(kUsbPrintInterface, 0x28D78FAD, 0x5A12, 0x11D1, 0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2);

bool ReadPortNumber(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data, unsigned long& number) {
    HKEY key = SetupDiOpenDeviceInterfaceRegKey(list, &data, 0, KEY_READ);
    if (key == INVALID_HANDLE_VALUE || key == nullptr) return false;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof(value);
    bool read = RegQueryValueExA(key, "Port Number", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                    ERROR_SUCCESS &&
                type == REG_DWORD && size == sizeof(value);
    RegCloseKey(key);
    if (read) number = value;
    return read;
}

// Size query first (it must fail with ERROR_INSUFFICIENT_BUFFER), then a zero-filled buffer.
bool ReadDevicePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data, std::string& path) {
    DWORD size = 0;
    if (!SetupDiGetDeviceInterfaceDetailA(list, &data, nullptr, 0, &size, nullptr) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return false;
    }
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return false;
    std::vector<unsigned char> buffer(size, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(list, &data, detail, size, nullptr, nullptr)) return false;
    std::size_t offset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    std::size_t length = 0;
    while (offset + length < buffer.size() && buffer[offset + length] != 0) ++length;
    path.assign(reinterpret_cast<const char*>(buffer.data() + offset), length);
    return true;
}

class SystemUsbPrinters : public UsbPrinterSystem {
public:
    ~SystemUsbPrinters() override { CloseDeviceList(); }

    bool OpenDeviceList() override {
        CloseDeviceList();
        list_ = SetupDiGetClassDevsA(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        return list_ != INVALID_HANDLE_VALUE;
    }

    void CloseDeviceList() override {
        if (list_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(list_);
        list_ = INVALID_HANDLE_VALUE;
    }

    InterfaceLookup GetInterface(unsigned index, std::string& devicePath,
                                 std::optional<unsigned long>& portNumber) override {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        if (!SetupDiEnumDeviceInterfaces(list_, nullptr, &kUsbPrintInterface, index, &data))
            return GetLastError() == ERROR_NO_MORE_ITEMS ? InterfaceLookup::kEnd : InterfaceLookup::kFailed;
        if (!ReadDevicePath(list_, data, devicePath)) return InterfaceLookup::kFailed;
        unsigned long number = 0;
        portNumber.reset();
        if (ReadPortNumber(list_, data, number)) portNumber = number;
        return InterfaceLookup::kFound;
    }

    bool CanOpenForReading(const std::string& path) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }

    HANDLE OpenForWriting(const std::string& path) override {
        return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    void Write(HANDLE file, const std::string& bytes) override {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

    void Close(HANDLE file) override { CloseHandle(file); }

    void DebugOutput(const std::string& text) override { OutputDebugStringA(text.c_str()); }

    void LocalDate(int& year, int& month, int& day) override {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        year = now.wYear;
        month = now.wMonth;
        day = now.wDay;
    }

private:
    HDEVINFO list_ = INVALID_HANDLE_VALUE;
};

}  // namespace

UsbPrinterSystem& RealUsbPrinterSystem() {
    static SystemUsbPrinters system;
    return system;
}

}  // namespace servicedate
