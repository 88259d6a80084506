#pragma once
// How every part reads configuration: a main profile paired with the language's message
// profile. Values pass %NAME% strings (the profile), *@KEY@* messages (the message profile's
// MESSAGES section) and $MACRO$ expansion (the environment), in that order. Number and tuple
// reads are raw. Platform-free.
#include "environment/profile_environment.h"
#include "profile/profile.h"

#include <string>
#include <vector>

class CProfileSet {
public:
    // The environment supplies the macros, the remote-install mode and the suffix words; it
    // must outlive the set. Null: no macros, no suffixes beyond the base name.
    explicit CProfileSet(const ProfileEnvironment* environment = nullptr);
    CProfileSet(const CProfileSet&) = delete;
    CProfileSet& operator=(const CProfileSet&) = delete;

    // Loading never fails (a missing file is an empty profile): true whenever mainPath is set.
    bool Open(const char* mainPath, const char* stringPath, const char* messagePath, bool escapes);
    bool ReloadMain(const char* path);
    bool SetMessageFile(const char* path);

    // Value of a key after all three stages; false when the set, section or key is missing.
    // Overrides (0 / null) pass another language's values to $LANG_ABBR$, $LANG_DIR$, $LCID$.
    bool GetString(const char* section, const char* key, std::string& value, bool expandMacros = true,
                   unsigned short langId = 0, const char* langAbbr = nullptr, const char* langDir = nullptr) const;
    // The same into a caller's buffer of `size` bytes; a value that does not fit gives false
    // and an empty buffer rather than a cut path.
    bool GetString(const char* section, const char* key, char* buffer, unsigned long size,
                   bool expandMacros = true, unsigned short langId = 0, const char* langAbbr = nullptr,
                   const char* langDir = nullptr) const;

    bool GetDword(const char* section, const char* key, unsigned long* out) const;
    bool GetControl(const char* section, const char* key, PROFILE_SIZE* size) const;
    bool GetControl(const char* section, const char* key, PROFILE_POINT* point) const;
    bool GetControl(const char* section, const char* key, unsigned long* color) const;
    bool GetControl(const char* section, const char* key, PROFILE_RECT* rect) const;
#if defined(_WIN32)
    bool GetControl(const char* section, const char* key, tagSIZE* size) const;
    bool GetControl(const char* section, const char* key, tagPOINT* point) const;
    bool GetControl(const char* section, const char* key, tagRECT* rect) const;
#endif

    // The section's lines ("key = value" or bare keys), each expanded, as a double-NUL-terminated
    // list in a buffer of `size` bytes. In remote-install mode: true and nothing written. A list
    // that does not fit gives false (the buffer then holds the entries that fit, still
    // double-NUL-terminated).
    bool GetAllKey(const char* section, char* buffer, unsigned long size, unsigned short langId = 0,
                   const char* langAbbr = nullptr, const char* langDir = nullptr) const;

    // The raw keys of a section's lines (a bare line is all key), in file order; false when the
    // section is missing. Not affected by the remote-install mode.
    bool GetKeys(const char* section, std::vector<std::string>& keys) const;

    // Blank-separated section names of the main profile.
    bool GetSectionNames(char* buffer, unsigned long size) const;
    bool SectionExists(const char* name) const;
    // The most specific variant of `base` for the OS define, language and product options,
    // upper-cased; false when no variant (not even the base) exists.
    bool FindSection(const char* base, std::string& variant) const;

    bool IsOpen() const { return mainOpen_; }
    bool IsMessageOpen() const { return messageOpen_; }
    const std::string& MainPath() const { return mainPath_; }
    const std::string& MessagePath() const { return messagePath_; }
    const std::string& StringPath() const { return stringPath_; }

private:
    std::string ExpandValue(const std::string& raw, bool expandMacros, unsigned short langId,
                            const char* langAbbr, const char* langDir) const;
    bool ListSectionNames(std::string& listing) const;

    const ProfileEnvironment* environment_;
    // Reads walk the profiles without changing them; CProfile's read calls are not const.
    mutable CProfile main_;
    mutable CProfile message_;
    std::string mainPath_;
    std::string messagePath_;
    std::string stringPath_;
    bool mainOpen_ = false;
    bool messageOpen_ = false;
    bool escapes_ = false;
};
