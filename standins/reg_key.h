#pragma once
// A registry key opened for the lifetime of the object, with the reads the stand-ins need.
#include <windows.h>

#include <string>
#include <vector>

namespace standin {

class Key {
public:
    Key(HKEY root, const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() { if (key_) RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

    bool Text(const char* name, std::string& out) const {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        std::vector<char> data(size + 1, '\0');
        if (RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS)
            return false;
        out.assign(data.data());
        return true;
    }
    std::string Text(const char* name) const {
        std::string out;
        Text(name, out);
        return out;
    }
    bool Number(const char* name, DWORD& out) const {
        DWORD type = 0, value = 0, size = sizeof(value);
        if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            return false;
        out = value;
        return true;
    }
    bool SetNumber(const char* name, DWORD value) const {
        return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
               ERROR_SUCCESS;
    }

    bool SetText(const char* name, const std::string& value) const {
        return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace standin
