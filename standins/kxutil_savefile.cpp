// Utility module, SaveFile: exports a key of HKEY_LOCAL_MACHINE with its subkeys to a text
// file in the REGEDIT4 format (see README.md).
#include "reg_key.h"
#include "standin.h"

#include <cstdio>

namespace {

using standin::Key;

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Hex(const BYTE* data, DWORD size) {
    std::string out;
    char piece[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(piece, sizeof(piece), i ? ",%02x" : "%02x", data[i]);
        out += piece;
    }
    return out;
}

bool IsPlainText(const std::vector<BYTE>& data, DWORD size) {
    if (size == 0 || data[size - 1] != 0) return false;
    for (DWORD i = 0; i + 1 < size; ++i)
        if (data[i] < 32) return false;
    return true;
}

std::string ValueLine(const char* name, DWORD type, const std::vector<BYTE>& data, DWORD size) {
    std::string line = *name ? Quoted(name) : std::string("@");
    line += '=';
    if (type == REG_SZ && IsPlainText(data, size)) return line + Quoted(reinterpret_cast<const char*>(data.data()));
    if (type == REG_DWORD && size == 4) {
        char number[16];
        DWORD value = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
        std::snprintf(number, sizeof(number), "%08lx", static_cast<unsigned long>(value));
        return line + "dword:" + number;
    }
    if (type == REG_BINARY) return line + "hex:" + Hex(data.data(), size);
    char prefix[24];
    std::snprintf(prefix, sizeof(prefix), "hex(%lx):", static_cast<unsigned long>(type));
    return line + prefix + Hex(data.data(), size);
}

bool ExportKey(HKEY key, const std::string& path, std::string& out) {
    out += "\r\n[HKEY_LOCAL_MACHINE\\" + path + "]\r\n";
    DWORD valueCount = 0, maxName = 0, maxData = 0, subkeyCount = 0, maxSubkey = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeyCount, &maxSubkey, nullptr, &valueCount, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::vector<char> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0; i < valueCount; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            return false;
        out += ValueLine(name.data(), type, data, dataSize) + "\r\n";
    }
    std::vector<char> subkey(maxSubkey + 2);
    for (DWORD i = 0; i < subkeyCount; ++i) {
        DWORD size = static_cast<DWORD>(subkey.size());
        if (RegEnumKeyExA(key, i, subkey.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        const std::string childPath = path + "\\" + subkey.data();
        Key child(key, subkey.data(), KEY_READ);
        if (!child || !ExportKey(child.get(), childPath, out)) return false;
    }
    return true;
}

bool WriteWholeFile(const char* path, const std::string& text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    CloseHandle(file);
    if (!ok) DeleteFileA(path);
    return ok;
}

}  // namespace

// Non-zero when the whole key was written; a missing key writes no file.
STANDIN_EXPORT int WINAPI SaveFile(const char* filePath, const char* keyPath, int reserved) {
    using standin::Arg;
    standin::CallLog("SaveFile", {Arg(filePath), Arg(keyPath), Arg(reserved)});
    if (!filePath || !*filePath || !keyPath || !*keyPath) return 0;
    Key key(HKEY_LOCAL_MACHINE, keyPath, KEY_READ);
    if (!key) return 0;
    std::string text = "REGEDIT4\r\n";
    if (!ExportKey(key.get(), keyPath, text)) return 0;
    return WriteWholeFile(filePath, text) ? 1 : 0;
}
