#pragma once
// Staging and checking registry values with the plain API, beside the code under test.
// Windows only.
#include <windows.h>

#include <string>

namespace test_support {

// What Text answers for a value that is missing or not REG_SZ, and Number for one that is
// missing or not REG_DWORD.
inline constexpr const char* kMissing = "<missing>";
inline constexpr DWORD kMissingNumber = 0xBAD;

inline LONG CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    LONG error = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
    return error;
}

// Writes the value as given, creating the key and its parents.
inline LONG Raw(HKEY root, const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    LONG error = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (error) return error;
    error = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return error;
}

inline LONG RawText(HKEY root, const std::string& path, const char* name, const std::string& text,
                    DWORD type = REG_SZ) {
    return Raw(root, path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

inline LONG RawNumber(HKEY root, const std::string& path, const char* name, DWORD number) {
    return Raw(root, path, name, REG_DWORD, &number, sizeof(number));
}

inline bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key)) return false;
    RegCloseKey(key);
    return true;
}

inline bool HasValue(HKEY root, const std::string& path, const char* name) {
    return RegGetValueA(root, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

inline std::string Text(HKEY root, const std::string& path, const char* name, const std::string& missing = kMissing) {
    char buffer[8192] = {};
    DWORD size = sizeof(buffer) - 1;
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size)) return missing;
    return buffer;
}

inline DWORD Number(HKEY root, const std::string& path, const char* name) {
    DWORD number = kMissingNumber;
    DWORD size = sizeof(number);
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &number, &size)) return kMissingNumber;
    return number;
}

}  // namespace test_support
