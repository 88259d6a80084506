#include "profile/registry.h"

#include "common/ansi_text.h"
#include "common/unique_handle.h"

#include <cstring>
#include <string>

using setup::UniqueKey;

namespace {

// Internal buffers of the value reads: data up to 4096 bytes, names up to 259 characters.
constexpr DWORD kDataBytes = 4096;
constexpr DWORD kNameBytes = 260;

bool IsEmpty(const char* text) {
    return !text || !*text;
}

// Position of the last backslash, skipping the trail bytes of double-byte characters.
std::size_t LastBackslash(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (setup::text::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\') last = i;
    }
    return last;
}

std::string ChildPath(const char* key, const char* name) {
    std::string path(key);
    if (path.empty() || LastBackslash(path) != path.size() - 1) path += '\\';
    path += name;
    return path;
}

LONG OpenKey(HKEY root, const char* key, REGSAM access, UniqueKey& out) {
    return RegOpenKeyExA(root, key, 0, access, out.put());
}

LONG CreateKey(HKEY root, const char* key, UniqueKey& out) {
    return RegCreateKeyExA(root, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, out.put(), nullptr);
}

LONG QueryCounts(HKEY key, DWORD* subkeys, DWORD* values) {
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, subkeys, nullptr, nullptr, values, nullptr, nullptr,
                            nullptr, nullptr);
}

LONG WriteString(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

// One value read through the internal buffer; one spare byte keeps the text terminated
// even when the stored string has no NUL of its own.
struct ValueData {
    DWORD type = REG_NONE;
    DWORD size = kDataBytes;
    char bytes[kDataBytes + 1] = {};

    // Bytes the text needs with its terminator.
    DWORD TextBytes() const {
        return (size > 0 && bytes[size - 1] == '\0') ? size : size + 1;
    }
    DWORD Number() const {
        DWORD number = 0;
        std::memcpy(&number, bytes, size < sizeof(number) ? size : sizeof(number));
        return number;
    }
};

// Writes one copied value; the unnamed default value is written too.
LONG WriteCopiedValue(const char* destination, HKEY destinationRoot, const char* name, const ValueData& data) {
    UniqueKey key;
    if (LONG error = CreateKey(destinationRoot, destination, key)) return error;
    if (data.type == REG_SZ) return WriteString(key.get(), name, data.bytes);
    DWORD number = data.Number();
    return RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
}

bool IsCopiedType(DWORD type) {
    return type == REG_SZ || type == REG_DWORD;
}

}  // namespace

unsigned long CRegistry::GetValue(const char* key, const char* name, char* buffer, HKEY root, unsigned long size) {
    if (IsEmpty(key) || IsEmpty(name) || !buffer) return ERROR_INVALID_PARAMETER;
    UniqueKey handle;
    if (LONG error = OpenKey(root, key, KEY_READ, handle)) return error;
    ValueData data;
    if (LONG error = RegQueryValueExA(handle.get(), name, nullptr, &data.type,
                                      reinterpret_cast<BYTE*>(data.bytes), &data.size))
        return error;
    if (data.type != REG_SZ) return ERROR_INVALID_PARAMETER;
    if (size != 0xFFFFFFFF && size < data.TextBytes()) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(buffer, data.bytes, std::strlen(data.bytes) + 1);
    return ERROR_SUCCESS;
}

unsigned long CRegistry::GetValue(const char* key, const char* name, unsigned long* out, HKEY root, unsigned long) {
    if (IsEmpty(key) || IsEmpty(name) || !out) return ERROR_INVALID_PARAMETER;
    UniqueKey handle;
    if (LONG error = OpenKey(root, key, KEY_READ, handle)) return error;
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD bytes = sizeof(number);
    if (LONG error = RegQueryValueExA(handle.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &bytes))
        return error;
    if (type != REG_DWORD) return ERROR_INVALID_PARAMETER;
    *out = number;
    return ERROR_SUCCESS;
}

unsigned long CRegistry::SetValue(const char* key, const char* name, const char* text, HKEY root) {
    if (IsEmpty(key) || IsEmpty(name) || !text) return ERROR_INVALID_PARAMETER;
    UniqueKey handle;
    if (LONG error = CreateKey(root, key, handle)) return error;
    return WriteString(handle.get(), name, text);
}

unsigned long CRegistry::SetValue(const char* key, const char* name, unsigned long number, HKEY root) {
    if (IsEmpty(key) || IsEmpty(name)) return ERROR_INVALID_PARAMETER;
    UniqueKey handle;
    if (LONG error = CreateKey(root, key, handle)) return error;
    DWORD data = number;
    return RegSetValueExA(handle.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

// A missing key path would open the root itself, so it is refused like the other operations.
unsigned long CRegistry::DeleteValue(const char* key, const char* name, HKEY root) {
    if (IsEmpty(key) || !name) return ERROR_INVALID_PARAMETER;
    UniqueKey handle;
    if (LONG error = OpenKey(root, key, KEY_ALL_ACCESS, handle)) return error;
    return RegDeleteValueA(handle.get(), name);
}

unsigned long CRegistry::DeleteKey(const char* key, bool thisKeyOnly, HKEY root) {
    if (IsEmpty(key)) return ERROR_INVALID_PARAMETER;
    if (!thisKeyOnly) {
        if (unsigned long error = DeleteSubKey(key, root)) return error;
        return DeleteEmptyParent(key, root);
    }
    LONG error = RegDeleteKeyA(root, key);
    if (error == ERROR_ACCESS_DENIED && SetDaclPermission(key, root) == ERROR_SUCCESS)
        error = RegDeleteKeyA(root, key);
    return error;
}

unsigned long CRegistry::DeleteSubKey(const char* key, HKEY root) {
    if (IsEmpty(key)) return ERROR_INVALID_PARAMETER;
    {
        UniqueKey handle;
        if (LONG error = OpenKey(root, key, KEY_ALL_ACCESS, handle)) return error;
        DWORD subkeys = 0;
        if (LONG error = QueryCounts(handle.get(), &subkeys, nullptr)) return error;
        // Always index 0: each round removes the first subkey.
        for (DWORD round = 0; round < subkeys; ++round) {
            char name[kNameBytes];
            DWORD length = kNameBytes;
            if (RegEnumKeyExA(handle.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                continue;
            if (unsigned long error = DeleteSubKey(ChildPath(key, name).c_str(), root)) return error;
        }
    }
    LONG error = RegDeleteKeyA(root, key);
    if (error == ERROR_ACCESS_DENIED && SetDaclPermission(key, root) == ERROR_SUCCESS)
        error = RegDeleteKeyA(root, key);
    return error;
}

unsigned long CRegistry::DeleteEmptyParent(const char* key, HKEY root) {
    if (IsEmpty(key)) return ERROR_INVALID_PARAMETER;
    std::string candidate(key);
    // A trailing backslash names the key itself, not a parent.
    while (!candidate.empty() && LastBackslash(candidate) == candidate.size() - 1) candidate.pop_back();
    for (;;) {
        std::size_t slash = LastBackslash(candidate);
        if (slash == std::string::npos) return ERROR_SUCCESS;
        candidate.resize(slash);
        // The first component of a path (e.g. Software) is never deleted.
        if (LastBackslash(candidate) == std::string::npos) return ERROR_SUCCESS;
        {
            UniqueKey handle;
            if (LONG error = OpenKey(root, candidate.c_str(), KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, handle))
                return error;
            DWORD subkeys = 0;
            DWORD values = 0;
            if (LONG error = QueryCounts(handle.get(), &subkeys, &values)) return error;
            if (subkeys != 0 || values != 0) return ERROR_SUCCESS;
        }
        if (LONG error = RegDeleteKeyA(root, candidate.c_str())) return error;
    }
}

unsigned long CRegistry::CopyKey(const char* source, const char* destination, bool withSubkeys, HKEY sourceRoot,
                                 HKEY destinationRoot) {
    if (IsEmpty(source) || IsEmpty(destination)) return ERROR_INVALID_PARAMETER;
    UniqueKey handle;
    if (LONG error = OpenKey(sourceRoot, source, KEY_READ, handle)) return error;
    DWORD subkeys = 0;
    DWORD values = 0;
    if (LONG error = QueryCounts(handle.get(), &subkeys, &values)) return error;
    if (withSubkeys) {
        for (DWORD index = 0; index < subkeys; ++index) {
            char name[kNameBytes];
            DWORD length = kNameBytes;
            if (LONG error = RegEnumKeyExA(handle.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr))
                return error;
            if (unsigned long error = CopyKey(ChildPath(source, name).c_str(), ChildPath(destination, name).c_str(),
                                              true, sourceRoot, destinationRoot))
                return error;
        }
    }
    return CopyValue(handle.get(), values, destination, destinationRoot);
}

unsigned long CRegistry::CopyValue(HKEY source, unsigned long count, const char* destination, HKEY destinationRoot) {
    if (!source || IsEmpty(destination)) return ERROR_INVALID_PARAMETER;
    for (DWORD index = 0; index < count; ++index) {
        char name[kNameBytes];
        DWORD length = kNameBytes;
        ValueData data;
        LONG error = RegEnumValueA(source, index, name, &length, nullptr, &data.type,
                                   reinterpret_cast<BYTE*>(data.bytes), &data.size);
        if (error == ERROR_MORE_DATA) {
            // Large binary data is not copied anyway: only an over-long text or number fails.
            length = kNameBytes;
            if (RegEnumValueA(source, index, name, &length, nullptr, &data.type, nullptr, nullptr) == ERROR_SUCCESS &&
                !IsCopiedType(data.type))
                continue;
            return error;
        }
        if (error) return error;
        if (!IsCopiedType(data.type)) continue;
        if (LONG written = WriteCopiedValue(destination, destinationRoot, name, data)) return written;
    }
    return ERROR_SUCCESS;
}
