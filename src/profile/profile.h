#pragma once
// One loaded profile: a main file and an optional companion string file whose STRINGS
// section is searched first for %NAME% references. Exported by Setup.exe under this name.
// Result codes are Win32 error codes (0, 2, 13, 14, 87, 259, ...).
#include "common/export.h"
#include "profile/section_list.h"

#include <cstdint>
#include <string>

// Layout-compatible with the Win32 SIZE, POINT and RECT (32-bit LONG fields).
struct PROFILE_SIZE { std::int32_t cx, cy; };
struct PROFILE_POINT { std::int32_t x, y; };
struct PROFILE_RECT { std::int32_t left, top, right, bottom; };

#if defined(_WIN32)
struct tagSIZE;
struct tagPOINT;
struct tagRECT;
#endif

class SETUP_API CProfile {
public:
    CProfile();
    CProfile(const char* path, const char* stringPath);
    virtual ~CProfile();
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    unsigned long Create(const char* path, const char* stringPath, bool unused = false);
    unsigned long Reload(const char* path, const char* stringPath);

    unsigned long GetString(const char* section, const char* key, char* buffer, unsigned long size, bool escapes);
    unsigned long GetDword(const char* section, const char* key, unsigned long* out);
    unsigned long GetControl(const char* section, const char* key, PROFILE_SIZE* size);
    unsigned long GetControl(const char* section, const char* key, PROFILE_POINT* point);
    unsigned long GetControl(const char* section, const char* key, unsigned long* color);
    unsigned long GetControl(const char* section, const char* key, PROFILE_RECT* rect);
#if defined(_WIN32)
    unsigned long GetControl(const char* section, const char* key, tagSIZE* size);
    unsigned long GetControl(const char* section, const char* key, tagPOINT* point);
    unsigned long GetControl(const char* section, const char* key, tagRECT* rect);
#endif
    unsigned long GetAllKey(const char* section, char* buffer, unsigned long size, bool skipBare);
    unsigned long GetSectionName(char* buffer, unsigned long size, bool multiString);

    unsigned long SetValue(const char* section, const char* key, const char* text);
    unsigned long SetValue(const char* section, const char* key, unsigned long number);
    unsigned long SetValue(const char* section, const char* key, const PROFILE_SIZE& size);
    unsigned long SetValue(const char* section, const char* key, const PROFILE_POINT& point);
    unsigned long SetValue(const char* section, const char* key, const unsigned long* color);
    unsigned long SetValue(const char* section, const char* key, const PROFILE_RECT& rect);

    bool IsLoaded() const { return mainLoaded_; }
    bool IsStringsLoaded() const { return stringsLoaded_; }
    const char* Path() const { return path_.c_str(); }
    // Read-only access for callers that walk the model (e.g. listing keys as numbers).
    CSectionList& MainList() { return main_; }

    // Pure number rule shared with other parsers: decimal, or hexadecimal when "0X" occurs.
    static unsigned long StringToDword(const char* text);

protected:
    unsigned long LoadFile(const char* path, CSectionList& target);
    unsigned long ConvertDefinedString(char* buffer, unsigned long size, bool escapes);
    unsigned long GetStringValue(const char* name, char* buffer, unsigned long size);
    unsigned long SetData(const char* section, const char* key, const char* text);
    unsigned long WriteData() { return 0; }

private:
    CSectionList main_;
    CSectionList strings_;
    bool mainLoaded_ = false;
    bool stringsLoaded_ = false;
    std::string path_;
};
