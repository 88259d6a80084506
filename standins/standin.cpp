#include "standin.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace standin {
namespace {

std::string Environment(const char* name) {
    char buffer[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return (n > 0 && n < sizeof(buffer)) ? std::string(buffer, n) : std::string();
}

// The folder of the module this copy of the code is linked into.
std::string ModuleFolder() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<const char*>(&ModuleFolder), &self);
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(self, path, sizeof(path));
    if (n == 0 || n >= sizeof(path)) return {};
    std::string text(path, n);
    std::size_t slash = text.find_last_of('\\');
    return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

}  // namespace

std::string SimulationPath() {
    std::string path = Environment("SETUP_STANDIN_SIM");
    return path.empty() ? ModuleFolder() + "standin-sim.ini" : path;
}

bool SimulationExists() {
    DWORD attributes = GetFileAttributesA(SimulationPath().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SimText(const char* section, const char* key, const char* fallback) {
    if (!SimulationExists()) return fallback;
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                                           SimulationPath().c_str());
        if (n + 1 < buffer.size() || buffer.size() >= 65536) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

int SimNumber(const char* section, const char* key, int fallback) {
    std::string text = SimText(section, key);
    if (text.empty()) return fallback;
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 0));
}

bool SimHasKey(const char* section, const char* key) {
    const char* marker = "\x01missing";
    return SimText(section, key, marker) != marker;
}

void SimWrite(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), SimulationPath().c_str());
}

std::vector<UsbDevice> UsbDevices() {
    std::vector<UsbDevice> devices;
    int count = SimNumber("USB", "Count", 0);
    for (int i = 0; i < count && i < 1024; ++i) {
        std::string section = "USB." + std::to_string(i);
        const char* s = section.c_str();
        devices.push_back({SimText(s, "MFG"), SimText(s, "MDL"), SimText(s, "VIDPID"), SimText(s, "Port"),
                           SimText(s, "DeviceID")});
    }
    return devices;
}

std::vector<NetworkPrinter> NetworkPrinters() {
    std::vector<NetworkPrinter> printers;
    int count = SimNumber("NETWORK", "Count", 0);
    for (int i = 0; i < count && i < 1024; ++i) {
        std::string section = "NETWORK." + std::to_string(i);
        const char* s = section.c_str();
        printers.push_back({section, SimText(s, "Name"), SimText(s, "MAC"), SimText(s, "IP"), SimText(s, "Subnet"),
                            SimText(s, "Gateway"), SimText(s, "Description"), SimText(s, "IPX")});
    }
    return printers;
}

void CallLog(const char* function, std::initializer_list<std::string> arguments) {
    std::string path = Environment("SETUP_STANDIN_LOG");
    if (path.empty()) return;
    std::string line = function;
    line += '(';
    bool first = true;
    for (const std::string& argument : arguments) {
        if (!first) line += ',';
        line += argument;
        first = false;
    }
    line += ")\r\n";
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Arg(const char* text) { return text ? text : ""; }
std::string Arg(long number) { return std::to_string(number); }

void CopyOut(char* buffer, std::size_t capacity, const std::string& text) {
    if (!buffer || capacity == 0) return;
    std::size_t n = text.size() < capacity ? text.size() : capacity - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

bool EqualNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

bool ParseIpv4(const std::string& text, unsigned char out[4]) {
    unsigned parts[4];
    char tail = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &tail) != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (parts[i] > 255) return false;
        out[i] = static_cast<unsigned char>(parts[i]);
    }
    return true;
}

}  // namespace standin
