#pragma once
// One loaded profile: a main file and an optional companion string file whose STRINGS
// section is searched first for %NAME% references. Exported by Setup.exe under this name.
// Result codes are Win32 error codes (0, 2, 13, 14, 87, 259, ...).
#include "common/export.h"
#include "profile/section_list.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

    // 0 or 13 (87 for a null buffer or a size of 0). The whole raw value is resolved; when the
    // result does not fit, the buffer holds the raw value cut to size - 1 and the result stays 0.
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

    // Writes to the file of the last successful Create (87 when none; a relative path is taken
    // from the current folder, as it was read).
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

    // The loading steps: comment pre-pass in place (returns the new length; the text never
    // grows), header test on one trimmed line, and building the list from pre-passed text.
    static std::size_t ProcessData(char* data, std::size_t length);
    static bool IsSection(const char* line);
    void Parsing(char* data, std::size_t length, CSectionList& target);
    // LoadFile without the file: parses a copy of `length` bytes as the file's content.
    unsigned long LoadFromMemory(const char* data, std::size_t length, CSectionList& target);

private:
    static constexpr std::size_t kWorkBytes = 32768;      // longest resolved value + NUL
    static constexpr int kMaxExpansions = 1024;           // bounds for self-referring strings
    static constexpr int kMaxLookups = 8192;
    static constexpr std::size_t kMaxWorkBytes = 8 * kWorkBytes;

    unsigned long LoadText(std::unique_ptr<char[]> data, std::size_t length, CSectionList& target);
    // The first occurrence's raw value, or null when the section or key is missing.
    const char* RawValue(const char* section, const char* key);
    // Expands %NAME% references (then escapes) in `text`: 0, 13 when the last lookup failed,
    // 14 when the text outgrows the work limit or keeps expanding.
    unsigned long Resolve(std::string& text, bool escapes);
    bool LookupString(std::string_view name, std::string_view& value);
    // Up to `wanted` comma-separated numbers of a raw value: 0, 13 (missing) or 87 (arguments).
    unsigned long ReadNumbers(const char* section, const char* key, std::uint32_t* numbers, int wanted,
                              int& found);

    CSectionList main_;
    CSectionList strings_;
    bool mainLoaded_ = false;
    bool stringsLoaded_ = false;
    std::string path_;
};
