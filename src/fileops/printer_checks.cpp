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

enum class OnNoMemory { kQuiet, kLog };

// True when a spooler listing of `Record`s holds one whose `field` equals `name` (the spooler
// itself compares these names without regard to case).
template <typename Record, typename Enumerate>
bool ListingHasName(Enumerate enumerate, char* Record::*field, const char* name, OnNoMemory onNoMemory) {
    GlobalBuffer buffer;
    DWORD count = 0;
    Listing listing = EnumerateInto(enumerate, buffer, count);
    if (listing == Listing::kNoMemory && onNoMemory == OnNoMemory::kLog)
        LogWrite("GlobalAlloc Error [Check Printer Installed]");
    if (listing != Listing::kOk) return false;
    auto* records = static_cast<const Record*>(buffer.get());
    for (DWORD i = 0; i < count; ++i)
        if (Matches(records[i].*field, name)) return true;
    return false;
}

bool HasPrinterWithDriver(const char* driverName) {
    return ListingHasName<PRINTER_INFO_2A>(
        [](BYTE* out, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, out, size, needed, returned) != FALSE;
        },
        &PRINTER_INFO_2A::pDriverName, driverName, OnNoMemory::kLog);
}

bool HasDriver(const char* driverName) {
    return ListingHasName<DRIVER_INFO_3A>(
        [](BYTE* out, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrinterDriversA(nullptr, nullptr, 3, out, size, needed, returned) != FALSE;
        },
        &DRIVER_INFO_3A::pName, driverName, OnNoMemory::kLog);
}

}  // namespace

bool IsPrinterOrDriverInstalled(const char* name, bool byPrinter) {
    if (name == nullptr) return false;
    return byPrinter ? HasPrinterWithDriver(name) : HasDriver(name);
}

bool IsPortPresent(const char* portName) {
    if (portName == nullptr || *portName == '\0') return false;
    return ListingHasName<PORT_INFO_2A>(
        [](BYTE* out, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPortsA(nullptr, 2, out, size, needed, returned) != FALSE;
        },
        &PORT_INFO_2A::pPortName, portName, OnNoMemory::kQuiet);
}

}  // namespace setup
