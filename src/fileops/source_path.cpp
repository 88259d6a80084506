#include "common/unique_handle.h"
#include "fileops/system_utils.h"
#include "fileops/windows_bitness.h"
#include "fileops/wow64_path.h"

#include <string>
#include <vector>

namespace setup {
namespace {

constexpr char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr char kSourcePath[] = "SourcePath";
constexpr char kSourcePathOrg[] = "SourcePath_ORG";

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The setup key as the system itself reads it: the 64-bit view on 64-bit Windows.
LONG OpenSetupKey(UniqueKey& key) {
    REGSAM access = KEY_ALL_ACCESS | (Is64BitWindows() ? KEY_WOW64_64KEY : 0);
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, 0, access, key.put());
}

bool ReadRaw(HKEY key, const char* name, RawValue& value) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(value.data.size());
        LONG error = RegQueryValueExA(key, name, nullptr, &value.type, value.data.empty() ? nullptr : value.data.data(),
                                      &size);
        if (error == ERROR_SUCCESS && (!value.data.empty() || size == 0)) {
            value.data.resize(size);
            return true;
        }
        if (error != ERROR_SUCCESS && error != ERROR_MORE_DATA) return false;
        value.data.resize(size);
    }
    return false;
}

LONG WriteRaw(HKEY key, const char* name, const RawValue& value) {
    return RegSetValueExA(key, name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
}

bool ValueExists(HKEY key, const char* name) {
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD TextTypeLike(DWORD readType) {
    return (readType == REG_SZ || readType == REG_EXPAND_SZ) ? readType : REG_SZ;
}

}  // namespace

// The value saved as "SourcePath_ORG" is the user's own setting: a later call in the same or
// another run (one per unsigned driver) must not replace it with the path an earlier call wrote.
unsigned long SetSourcePath(const char* path) {
    if (path == nullptr || *path == '\0') return ERROR_INVALID_PARAMETER;
    std::string target = Is64BitWindows() ? ToWow64SourcePath(path) : std::string(path);

    UniqueKey key;
    if (LONG error = OpenSetupKey(key)) return static_cast<unsigned long>(error);

    RawValue current;
    bool haveCurrent = ReadRaw(key.get(), kSourcePath, current);
    if (haveCurrent && !ValueExists(key.get(), kSourcePathOrg)) WriteRaw(key.get(), kSourcePathOrg, current);

    RawValue written;
    written.type = haveCurrent ? TextTypeLike(current.type) : REG_SZ;
    written.data.assign(target.c_str(), target.c_str() + target.size() + 1);
    return static_cast<unsigned long>(WriteRaw(key.get(), kSourcePath, written));
}

// "SourcePath_ORG" is only deleted once it was written back: a failed write keeps it for
// the next attempt.
unsigned long RestoreSourcePath() {
    UniqueKey key;
    if (LONG error = OpenSetupKey(key)) return static_cast<unsigned long>(error);
    RawValue original;
    if (ReadRaw(key.get(), kSourcePathOrg, original)) {
        if (LONG error = WriteRaw(key.get(), kSourcePath, original)) return static_cast<unsigned long>(error);
    }
    return static_cast<unsigned long>(RegDeleteValueA(key.get(), kSourcePathOrg));
}

}  // namespace setup
