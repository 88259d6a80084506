#pragma once
// Move-only owners for Win32 handles: every path of an operation closes what it opened.
// Closing keeps GetLastError intact, so an owner going out of scope on an error path does
// not change the error the operation is about to report.
#include <windows.h>
#include <winspool.h>
#include <utility>

namespace setup {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }
    Type release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Type h = Traits::Invalid()) {
        if (valid()) {
            DWORD saved = GetLastError();
            Traits::Close(handle_);
            SetLastError(saved);
        }
        handle_ = h;
    }
    // For out-parameters: closes what was held first.
    Type* put() { reset(); return &handle_; }

private:
    Type handle_ = Traits::Invalid();
};

#define SETUP_HANDLE_TRAITS(Name, T, invalid, close)                 \
    struct Name {                                                    \
        using Type = T;                                              \
        static Type Invalid() { return invalid; }                    \
        static void Close(Type h) { close; }                         \
    }

SETUP_HANDLE_TRAITS(KeyTraits, HKEY, nullptr, RegCloseKey(h));
SETUP_HANDLE_TRAITS(KernelHandleTraits, HANDLE, nullptr, CloseHandle(h));
SETUP_HANDLE_TRAITS(FileHandleTraits, HANDLE, INVALID_HANDLE_VALUE, CloseHandle(h));
SETUP_HANDLE_TRAITS(ModuleTraits, HMODULE, nullptr, FreeLibrary(h));
SETUP_HANDLE_TRAITS(FindTraits, HANDLE, INVALID_HANDLE_VALUE, FindClose(h));
SETUP_HANDLE_TRAITS(PrinterTraits, HANDLE, nullptr, ClosePrinter(h));
SETUP_HANDLE_TRAITS(GdiTraits, HGDIOBJ, nullptr, DeleteObject(h));
SETUP_HANDLE_TRAITS(ServiceTraits, SC_HANDLE, nullptr, CloseServiceHandle(h));
SETUP_HANDLE_TRAITS(HeapMemTraits, void*, nullptr, HeapFree(GetProcessHeap(), 0, h));
SETUP_HANDLE_TRAITS(SidTraits, PSID, nullptr, FreeSid(h));

#undef SETUP_HANDLE_TRAITS

using UniqueKey = UniqueHandle<KeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;  // events, threads, processes, mutexes
using UniqueFile = UniqueHandle<FileHandleTraits>;            // CreateFile results
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniquePrinter = UniqueHandle<PrinterTraits>;
using UniqueGdi = UniqueHandle<GdiTraits>;
using UniqueService = UniqueHandle<ServiceTraits>;
using UniqueHeapMem = UniqueHandle<HeapMemTraits>;

}  // namespace setup
