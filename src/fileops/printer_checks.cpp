#include "common/ansi_text.h"
#include "environment/log.h"
#include "fileops/system_utils.h"

#include <winspool.h>

#include <memory>

namespace setup {
namespace {

struct GlobalFreer {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalBuffer = std::unique_ptr<void, GlobalFreer>;

enum class Listing { kOk, kNoMemory, kFailed };

// Runs a spooler enumeration (size query, then the real call) into a GlobalAlloc buffer.
// The list can grow between the two calls (a printer being added), so a short buffer is
// retried with the new size a few times.
template <typename Enumerate>
Listing EnumerateInto(Enumerate enumerate, GlobalBuffer& buffer, DWORD& count) {
    DWORD needed = 0;
    count = 0;
    if (enumerate(nullptr, 0, &needed, &count)) return Listing::kOk;  // empty list
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return Listing::kFailed;
        buffer.reset(GlobalAlloc(GPTR, needed));
        if (!buffer) return Listing::kNoMemory;
        if (enumerate(static_cast<BYTE*>(buffer.get()), needed, &needed, &count)) return Listing::kOk;
    }
    return Listing::kFailed;
}

bool Matches(const char* candidate, const char* name) {
    return candidate != nullptr && text::EqualsNoCase(candidate, name);
}

bool HasPrinterWithDriver(const char* driverName) {
    GlobalBuffer buffer;
    DWORD count = 0;
    Listing listing = EnumerateInto(
        [](BYTE* out, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, out, size, needed, returned) != FALSE;
        },
        buffer, count);
    if (listing == Listing::kNoMemory) LogWrite("GlobalAlloc Error [Check Printer Installed]");
    if (listing != Listing::kOk) return false;
    auto* printers = static_cast<const PRINTER_INFO_2A*>(buffer.get());
    for (DWORD i = 0; i < count; ++i)
        if (Matches(printers[i].pDriverName, driverName)) return true;
    return false;
}

bool HasDriver(const char* driverName) {
    GlobalBuffer buffer;
    DWORD count = 0;
    Listing listing = EnumerateInto(
        [](BYTE* out, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrinterDriversA(nullptr, nullptr, 3, out, size, needed, returned) != FALSE;
        },
        buffer, count);
    if (listing == Listing::kNoMemory) LogWrite("GlobalAlloc Error [Check Printer Installed]");
    if (listing != Listing::kOk) return false;
    auto* drivers = static_cast<const DRIVER_INFO_3A*>(buffer.get());
    // The spooler itself treats driver names without regard to case.
    for (DWORD i = 0; i < count; ++i)
        if (Matches(drivers[i].pName, driverName)) return true;
    return false;
}

}  // namespace

bool IsPrinterOrDriverInstalled(const char* name, bool byPrinter) {
    if (name == nullptr) return false;
    return byPrinter ? HasPrinterWithDriver(name) : HasDriver(name);
}

bool IsPortPresent(const char* portName) {
    if (portName == nullptr || *portName == '\0') return false;
    GlobalBuffer buffer;
    DWORD count = 0;
    Listing listing = EnumerateInto(
        [](BYTE* out, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPortsA(nullptr, 2, out, size, needed, returned) != FALSE;
        },
        buffer, count);
    if (listing != Listing::kOk) return false;
    auto* ports = static_cast<const PORT_INFO_2A*>(buffer.get());
    for (DWORD i = 0; i < count; ++i)
        if (Matches(ports[i].pPortName, portName)) return true;
    return false;
}

}  // namespace setup
