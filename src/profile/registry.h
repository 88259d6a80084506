#pragma once
// The system's only way to the registry: static operations returning Win32 error codes.
// Every operation opens and closes its own key handles. Exported by Setup.exe.
#include "common/export.h"

#include <windows.h>

class SETUP_API CRegistry {
public:
    CRegistry() = default;
    CRegistry(const CRegistry&) = default;
    CRegistry& operator=(const CRegistry&) = default;
    virtual ~CRegistry() = default;

    // size 0xFFFFFFFF: do not check the caller's buffer size.
    static unsigned long GetValue(const char* key, const char* name, char* buffer, HKEY root, unsigned long size);
    static unsigned long GetValue(const char* key, const char* name, unsigned long* out, HKEY root, unsigned long unused);
    static unsigned long SetValue(const char* key, const char* name, const char* text, HKEY root);
    static unsigned long SetValue(const char* key, const char* name, unsigned long number, HKEY root);
    static unsigned long DeleteValue(const char* key, const char* name, HKEY root);
    static unsigned long DeleteKey(const char* key, bool thisKeyOnly, HKEY root);
    static unsigned long CopyKey(const char* source, const char* destination, bool withSubkeys, HKEY sourceRoot, HKEY destinationRoot);
    static unsigned long SaveToFile(const char* key, const char* filePath, HKEY root);
    static unsigned long LoadFromFile(const char* filePath);

protected:
    static unsigned long DeleteSubKey(const char* key, HKEY root);
    static unsigned long DeleteEmptyParent(const char* key, HKEY root);
    static unsigned long SetDaclPermission(const char* key, HKEY root);
    static unsigned long CopyValue(HKEY source, unsigned long count, const char* destination, HKEY destinationRoot);
};
