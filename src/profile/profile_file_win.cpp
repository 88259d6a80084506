#include "profile/profile_file.h"

#include "common/unique_handle.h"

#include <cstdint>
#include <new>
#include <string>

namespace setup::profile {

namespace {

constexpr DWORD kOutOfMemory = ERROR_OUTOFMEMORY;

DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error ? error : fallback;
}

// The platform writer resolves a bare or relative file name against the Windows folder,
// not the current one; the profile was read relative to the current folder.
std::string FullPath(const char* path) {
    DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    DWORD length = GetFullPathNameA(path, needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

}  // namespace

unsigned long ReadWholeFile(const char* path, std::size_t spare, std::unique_ptr<char[]>& data,
                            std::size_t& length) {
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastErrorOr(ERROR_FILE_NOT_FOUND);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return LastErrorOr(ERROR_READ_FAULT);
    if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX / 2) return kOutOfMemory;
    std::size_t total = static_cast<std::size_t>(size.QuadPart);
    data.reset(new (std::nothrow) char[total + spare]);
    if (!data) return kOutOfMemory;
    std::size_t done = 0;
    while (done < total) {
        std::size_t left = total - done;
        DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!ReadFile(file.get(), data.get() + done, chunk, &read, nullptr)) return LastErrorOr(ERROR_READ_FAULT);
        if (read == 0) break;  // the file shrank meanwhile
        done += read;
    }
    length = done;
    return 0;
}

unsigned long WriteProfileValue(const char* path, const char* section, const char* key, const char* text) {
    std::string full = FullPath(path);
    SetLastError(0);
    if (WritePrivateProfileStringA(section, key, text, full.c_str())) return 0;
    return LastErrorOr(ERROR_WRITE_FAULT);
}

unsigned long ClearProfileSection(const char* path, const char* section) {
    std::string full = FullPath(path);
    SetLastError(0);
    if (WritePrivateProfileSectionA(section, "\0", full.c_str())) return 0;
    return LastErrorOr(ERROR_WRITE_FAULT);
}

}  // namespace setup::profile
