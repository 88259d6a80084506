#pragma once
// One line of a registry text file, without the platform: the root names of section
// headers, the value line forms ("name"="text", "name"=dword:0000000a, "name"=hex:) and
// their parsing on import. The file itself is a profile; the registry side is in
// registry_file.cpp.
#include <cstdint>
#include <string>
#include <string_view>

namespace setup::regtext {

// The predefined roots; the Win32 layer maps them to HKEY values.
enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig, DynData };

// Name written in section headers; null for HKEY_USERS, which has no name and is not exported.
const char* RootName(Root root);

// "[root name\key path]" body for an exported key; empty when the root has no name.
std::string FormatSection(Root root, std::string_view keyPath);

// Where a section imports to: a leading known root name followed by a backslash selects
// that root and the rest is the key path; anything else is a path under HKEY_LOCAL_MACHINE.
struct SectionTarget {
    Root root = Root::LocalMachine;
    std::string keyPath;
};
SectionTarget ParseSection(std::string_view sectionName);

// Export forms. Nothing is escaped: a quote inside a name or text is written as it is.
std::string FormatValueName(std::string_view name);  // "name"
std::string FormatStringData(std::string_view text);  // "text"
std::string FormatDwordData(std::uint32_t number);    // dword:%08x
inline constexpr const char* kBinaryData = "hex:";    // binary data is not recorded

enum class LineType {
    String,   // REG_SZ of `text`
    Dword,    // REG_DWORD of `number`
    Binary,   // "hex:": nothing is written, the line still counts as success
    Invalid,  // any other type: the import reports 13
};

struct ValueLine {
    LineType type = LineType::Invalid;
    std::string name;
    std::string text;
    std::uint32_t number = 0;
};

// A line as the profile holds it: `key` is the text before the first "=", `value` after it.
ValueLine ParseValueLine(std::string_view key, std::string_view value);
// The same for one whole line, split at its first "=" (no "=": the value text is empty).
ValueLine ParseValueLine(std::string_view line);

// Hexadecimal read from the right: at most the last eight bytes, a-f in either case, a
// decimal digit its value, any other byte 0.
std::uint32_t HexFromRight(std::string_view text);

}  // namespace setup::regtext
