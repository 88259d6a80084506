// Set-IP module: the printers on the network and their addresses (simulated).
#include "standin.h"

#include <cstdlib>
#include <cstring>

namespace {

using standin::Arg;

constexpr unsigned long kRecordSize = 65;

// "0012ab34cd56" or with ":" / "-" separators.
bool ParseMac(const std::string& text, unsigned char out[6]) {
    std::string digits;
    for (char c : text)
        if (c != ':' && c != '-') digits += c;
    if (digits.size() != 12) return false;
    for (int i = 0; i < 6; ++i) {
        char pair[3] = {digits[2 * i], digits[2 * i + 1], 0};
        char* end = nullptr;
        unsigned long value = std::strtoul(pair, &end, 16);
        if (*end) return false;
        out[i] = static_cast<unsigned char>(value);
    }
    return true;
}

// Bytes 0-6 unused (zero), 7-46 name, 47-52 MAC, 53-56 IP, 57-60 subnet, 61-64 gateway.
void WriteRecord(unsigned char* record, const standin::NetworkPrinter& printer) {
    std::memset(record, 0, kRecordSize);
    std::memcpy(record + 7, printer.name.data(), printer.name.size() < 40 ? printer.name.size() : 40);
    ParseMac(printer.mac, record + 47);
    standin::ParseIpv4(printer.ip, record + 53);
    standin::ParseIpv4(printer.subnet, record + 57);
    standin::ParseIpv4(printer.gateway, record + 61);
}

}  // namespace

// Without a buffer: 0 and the number of printers in count (and the bytes needed in size), or
// 1 when there is none. With a buffer: 0 and as many records as the size holds.
STANDIN_EXPORT int WINAPI GetNetPrinter(void* records, unsigned long* size, int* count) {
    standin::CallLog("GetNetPrinter", {Arg(records ? 1 : 0), Arg(size ? static_cast<long>(*size) : -1)});
    if (!size || !count) return 1;
    const auto printers = standin::NetworkPrinters();
    if (printers.empty()) {
        *count = 0;
        return 1;
    }
    if (!records) {
        *count = static_cast<int>(printers.size());
        *size = static_cast<unsigned long>(printers.size()) * kRecordSize;
        return 0;
    }
    unsigned long fit = *size / kRecordSize;
    unsigned long n = printers.size() < fit ? static_cast<unsigned long>(printers.size()) : fit;
    for (unsigned long i = 0; i < n; ++i)
        WriteRecord(static_cast<unsigned char*>(records) + i * kRecordSize, printers[i]);
    *count = static_cast<int>(n);
    return 0;
}

// Gives the printer with this MAC address its new addresses (written back to the simulation
// file, so the next search sees them). 0 on success; ERROR_NOT_FOUND when no printer has the
// MAC, ERROR_INVALID_PARAMETER for a malformed address, or [SETIP] Result when set.
STANDIN_EXPORT unsigned long WINAPI SetIP(const char* ip, const char* gateway, const char* subnet, const char* mac) {
    standin::CallLog("SetIP", {Arg(ip), Arg(gateway), Arg(subnet), Arg(mac)});
    unsigned char address[4], macBytes[6];
    if (!ip || !gateway || !subnet || !mac || !standin::ParseIpv4(ip, address) ||
        !standin::ParseIpv4(gateway, address) || !standin::ParseIpv4(subnet, address) || !ParseMac(mac, macBytes))
        return ERROR_INVALID_PARAMETER;
    for (const standin::NetworkPrinter& printer : standin::NetworkPrinters()) {
        unsigned char printerMac[6];
        if (!ParseMac(printer.mac, printerMac) || std::memcmp(printerMac, macBytes, 6) != 0) continue;
        unsigned long forced = static_cast<unsigned long>(standin::SimNumber("SETIP", "Result", 0));
        if (forced != 0) return forced;
        standin::SimWrite(printer.section.c_str(), "IP", ip);
        standin::SimWrite(printer.section.c_str(), "Subnet", subnet);
        standin::SimWrite(printer.section.c_str(), "Gateway", gateway);
        return 0;
    }
    return ERROR_NOT_FOUND;
}

// Looked up by Setup and never called.
STANDIN_EXPORT int WINAPI VerifyNetworkPrinter(const char* ip) {
    standin::CallLog("VerifyNetworkPrinter", {Arg(ip)});
    return 0;
}
