#pragma once
// In-memory model of one INI-like text file: sections in file order, each with its lines.
// Exported by Setup.exe under these names.
//
// Texts are stored sized to fit (no fixed 4 KiB value fields): never write into a record's
// texts; change a value through SetValue or AddLine with the replace flag. The limits of the
// model stay: section names and keys over 255 bytes are refused (null / false), values are
// cut to 4095 bytes.
//
// Lookups by name are hashed (sections, and the keys of large sections), case-folded with
// the ANSI code page active when the name was added: choose the code page before loading.
// A list is read by several threads at once only while nobody changes it.
#include "common/export.h"

#include <cstddef>
#include <memory>

struct SECTION_LIST;

struct LINE_LIST {
    SECTION_LIST* section;  // owning section
    LINE_LIST* prev;        // previous line of the section, null for the first
    LINE_LIST* next;        // next line, null for the last
    char* value;            // NUL-terminated; empty for a line without "="
    char* key;              // NUL-terminated; the whole line when it has no "="
};

struct SECTION_LIST {
    SECTION_LIST* prev;
    SECTION_LIST* next;
    LINE_LIST* lines;  // first line, null when empty
    char* name;        // trimmed name
};

constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kMaxValueBytes = 4095;

class SETUP_API CSectionList {
public:
    CSectionList();
    virtual ~CSectionList();
    CSectionList(const CSectionList&) = delete;
    CSectionList& operator=(const CSectionList&) = delete;

    // Null name: the first section (how the chain is walked).
    SECTION_LIST* FindSection(const char* name);
    // Null for a section of another list.
    LINE_LIST* FindKey(SECTION_LIST* section, const char* key, int occurrence);
    LINE_LIST* FindKey(SECTION_LIST* section, int index);

    SECTION_LIST* AddSection(const char* name, const char* after);
    LINE_LIST* AddLine(SECTION_LIST* section, const char* text, bool replace, const char* afterKey);
    LINE_LIST* AddLine(const char* section, const char* text, bool replace, const char* afterKey);

    // False also for a null section name, a null buffer or a size of 0 (nothing written).
    bool GetValue(const char* section, const char* key, char* buffer, unsigned long size, int occurrence);
    // False when nothing could be stored (null or empty names, a key over 255 bytes).
    bool SetValue(const char* section, const char* key, const char* value, int occurrence);
    unsigned long GetAllKey(const char* section, char* buffer, unsigned long* size, unsigned long* count);

    bool DeleteSection(const char* name);
    bool DeleteLine(const char* section, const char* key);
    bool DeleteAllLines(const char* section);
    void DeleteLineList(LINE_LIST* line);
    void ClearAll();
    void Delete();

    // `file` is a writable handle: a Win32 HANDLE on Windows, a FILE* natively. 0, or 87
    // for a null handle; write failures are not reported.
    unsigned long SaveFile(void* file);
    void WriteSection(void* file, SECTION_LIST* section);

protected:
    void ClearSectionList(SECTION_LIST* section);
    void ClearLineList(LINE_LIST* line);
    void DeleteSectionList(SECTION_LIST* section);

private:
    friend class CProfile;

    // Loading path of the profile reader: the list keeps `text` alive, and the parsed names,
    // keys and values are NUL-terminated in place inside it instead of being copied.
    // False when out of memory (the text is then freed and must not be parsed into the list).
    bool AdoptText(std::unique_ptr<char[]> text);
    // `name` is an untrimmed header name inside adopted text; null when rejected.
    SECTION_LIST* AddParsedSection(char* name, std::size_t length);
    // `key` and `value` are trimmed ranges inside adopted text, not overlapping; the byte
    // after each may be overwritten with NUL. Appends at the end of the section.
    LINE_LIST* AddParsedLine(SECTION_LIST* section, char* key, std::size_t keyLength, char* value,
                             std::size_t valueLength);

    // Implementation state (indexes, storage) — owned by the implementation.
    struct Impl;
    SECTION_LIST* first_ = nullptr;
    Impl* impl_ = nullptr;
};
