#pragma once
// Number of handles this process holds, from the system's handle table. Wine's
// GetProcessHandleCount answers 0, but its NtQuerySystemInformation lists every handle
// (keys and files included) with the owning process.
#include <windows.h>

#include <vector>

namespace test {

inline unsigned long ProcessHandleCount() {
    using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    struct Entry {
        USHORT process;  // low word of the owner's id
        USHORT creatorBackTrace;
        UCHAR type;
        UCHAR attributes;
        USHORT handle;
        PVOID object;
        ULONG access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<char> buffer(1 << 16);
    LONG status;
    ULONG returned = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &returned)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    unsigned long count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->entries[i].process == self) ++count;
    return count;
}

}  // namespace test
