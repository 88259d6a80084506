#include "profile/registry_text.h"

#include "common/ansi_text.h"

#include <cstdio>

namespace setup::regtext {
namespace {

struct RootEntry {
    Root root;
    const char* name;
};

// Import recognises these (HKEY_USERS is deliberately absent: it has no name).
constexpr RootEntry kNamedRoots[] = {
    {Root::LocalMachine, "HKEY_LOCAL_MACHINE"},
    {Root::CurrentUser, "HKEY_CURRENT_USER"},
    {Root::ClassesRoot, "HKEY_CLASSES_ROOT"},
    {Root::CurrentConfig, "HKEY_CURRENT_CONFIG"},
    {Root::PerformanceData, "HKEY_PERFORMANCE_DATA"},
    {Root::DynData, "HKEY_DYN_DATA"},
};

std::string_view Trim(std::string_view text, std::string_view set) {
    std::size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(set);
    return text.substr(first, last - first + 1);
}

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kBlanksAndQuotes = " \t\"";

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

}  // namespace

const char* RootName(Root root) {
    for (const RootEntry& entry : kNamedRoots)
        if (entry.root == root) return entry.name;
    return nullptr;
}

std::string FormatSection(Root root, std::string_view keyPath) {
    const char* name = RootName(root);
    if (!name) return {};
    std::string section(name);
    section += '\\';
    section += keyPath;
    return section;
}

SectionTarget ParseSection(std::string_view sectionName) {
    SectionTarget target;
    target.keyPath = std::string(sectionName);
    std::size_t slash = text::Find(sectionName, "\\");
    if (slash == std::string_view::npos) return target;
    std::string_view token = sectionName.substr(0, slash);
    for (const RootEntry& entry : kNamedRoots) {
        if (text::EqualsNoCase(token, entry.name)) {
            target.root = entry.root;
            target.keyPath = std::string(sectionName.substr(slash + 1));
            break;
        }
    }
    return target;
}

std::string FormatValueName(std::string_view name) {
    std::string out;
    out.reserve(name.size() + 2);
    out += '"';
    out += name;
    out += '"';
    return out;
}

std::string FormatStringData(std::string_view text) {
    return FormatValueName(text);
}

std::string FormatDwordData(std::uint32_t number) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%08x", static_cast<unsigned>(number));
    return std::string("dword:") + buffer;
}

std::uint32_t HexFromRight(std::string_view text) {
    if (text.size() > 8) text = text.substr(text.size() - 8);
    std::uint32_t number = 0;
    for (char c : text) number = (number << 4) | static_cast<std::uint32_t>(HexDigitValue(c));
    return number;
}

ValueLine ParseValueLine(std::string_view key, std::string_view value) {
    ValueLine line;
    line.name = std::string(Trim(key, kBlanksAndQuotes));
    std::string_view data = Trim(value, kBlanks);
    if (!data.empty() && data.front() == '"' && data.back() == '"') {
        line.type = LineType::String;
        line.text = std::string(Trim(data, "\""));
        return line;
    }
    // A typed value needs its "type:" prefix; text without a colon names no known type.
    std::size_t colon = data.find(':');
    if (colon == std::string_view::npos) return line;
    std::string_view type = Trim(data.substr(0, colon), kBlanks);
    if (text::EqualsNoCase(type, "dword")) {
        line.type = LineType::Dword;
        line.number = HexFromRight(Trim(data.substr(colon + 1), kBlanksAndQuotes));
    } else if (text::EqualsNoCase(type, "hex")) {
        line.type = LineType::Binary;
    }
    return line;
}

ValueLine ParseValueLine(std::string_view line) {
    std::size_t equals = text::Find(line, "=");
    if (equals == std::string_view::npos) return ParseValueLine(line, std::string_view{});
    return ParseValueLine(line.substr(0, equals), line.substr(equals + 1));
}

}  // namespace setup::regtext
