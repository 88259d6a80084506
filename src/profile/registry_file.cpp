// Registry text files: export of a key tree into a profile and import of such a profile.
#include "profile/profile.h"
#include "profile/registry.h"
#include "profile/registry_text.h"

#include "common/unique_handle.h"

#include <string>
#include <vector>

namespace regtext = setup::regtext;
using setup::UniqueKey;

namespace {

constexpr DWORD kDataBytes = 4096;
constexpr DWORD kNameBytes = 260;
// Section names are listed through a buffer that grows from 4096 bytes up to this bound.
constexpr unsigned long kMaxSectionListBytes = 16u * 1024 * 1024;
// Room for one resolved line: a key, " = " and a value of the profile model, with references.
constexpr unsigned long kResolvedLineBytes = 32768;

struct RootHandle {
    regtext::Root root;
    HKEY handle;
};

const RootHandle kRoots[] = {
    {regtext::Root::ClassesRoot, HKEY_CLASSES_ROOT},
    {regtext::Root::CurrentUser, HKEY_CURRENT_USER},
    {regtext::Root::LocalMachine, HKEY_LOCAL_MACHINE},
    {regtext::Root::Users, HKEY_USERS},
    {regtext::Root::PerformanceData, HKEY_PERFORMANCE_DATA},
    {regtext::Root::CurrentConfig, HKEY_CURRENT_CONFIG},
    {regtext::Root::DynData, HKEY_DYN_DATA},
};

// Section name of a key, empty when its root has no name (HKEY_USERS, or not a predefined root).
std::string SectionOf(HKEY root, const std::string& keyPath) {
    for (const RootHandle& entry : kRoots)
        if (entry.handle == root) return regtext::FormatSection(entry.root, keyPath);
    return {};
}

HKEY HandleOf(regtext::Root root) {
    for (const RootHandle& entry : kRoots)
        if (entry.root == root) return entry.handle;
    return HKEY_LOCAL_MACHINE;
}

// The registry text file as a profile, with the line resolution the import needs.
class CRegistryTextProfile : public CProfile {
public:
    // References resolve, but backslash-r and backslash-n stay as written: exported text
    // is not escaped, so a path such as C:\new must come back unchanged.
    std::string ResolveLine(const LINE_LIST& line) {
        std::string entry(line.key ? line.key : "");
        if (line.value && *line.value) {
            entry += " = ";
            entry += line.value;
        }
        std::vector<char> buffer(kResolvedLineBytes, '\0');
        if (entry.size() >= buffer.size()) return entry;
        entry.copy(buffer.data(), entry.size());
        if (ConvertDefinedString(buffer.data(), kResolvedLineBytes, false) == ERROR_OUTOFMEMORY) return entry;
        return std::string(buffer.data());
    }

    // All section names in file order; the list buffer grows as needed.
    unsigned long SectionNames(std::vector<std::string>& names) {
        std::vector<char> buffer;
        unsigned long error = ERROR_OUTOFMEMORY;
        for (unsigned long size = kDataBytes; error == ERROR_OUTOFMEMORY && size <= kMaxSectionListBytes; size *= 2) {
            buffer.assign(size, '\0');
            error = GetSectionName(buffer.data(), size, true);
        }
        if (error) return error;
        for (const char* name = buffer.data(); *name; name += std::string(name).size() + 1) names.emplace_back(name);
        return ERROR_SUCCESS;
    }
};

unsigned long ExportValue(CProfile& profile, const std::string& section, const char* name, DWORD type,
                          const char* data, DWORD size) {
    std::string key = regtext::FormatValueName(name);
    if (type == REG_SZ) return profile.SetValue(section.c_str(), key.c_str(), regtext::FormatStringData(data).c_str());
    if (type == REG_BINARY) return profile.SetValue(section.c_str(), key.c_str(), regtext::kBinaryData);
    if (type == REG_DWORD && size >= sizeof(DWORD)) {
        DWORD number = *reinterpret_cast<const DWORD*>(data);
        return profile.SetValue(section.c_str(), key.c_str(), regtext::FormatDwordData(number).c_str());
    }
    return ERROR_SUCCESS;
}

void ExportValues(HKEY key, DWORD count, CProfile& profile, const std::string& section) {
    for (DWORD index = 0; index < count; ++index) {
        char name[kNameBytes];
        DWORD nameLength = kNameBytes;
        char data[kDataBytes + 1] = {};  // the spare byte terminates a text stored without NUL
        DWORD type = REG_NONE;
        DWORD size = kDataBytes;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &size))
            continue;
        ExportValue(profile, section, name, type, data, size);
    }
}

// Wine's profile writer does not create a section for an empty body, so a key without
// values would vanish and the parent-first order would follow the first value written
// instead. A key written and removed again leaves the empty header in place everywhere.
unsigned long WriteEmptySection(CProfile& profile, const std::string& section) {
    static const char kPlaceholder[] = "registry-export-placeholder";
    if (unsigned long error = profile.SetValue(section.c_str(), "", "")) return error;
    if (unsigned long error = profile.SetValue(section.c_str(), kPlaceholder, "")) return error;
    if (!WritePrivateProfileStringA(section.c_str(), kPlaceholder, nullptr, profile.Path())) return GetLastError();
    return ERROR_SUCCESS;
}

// Sections come out parent first: a key's header is written before its subkeys, and its
// values after them (the profile writer appends them to the key's own section).
unsigned long ExportKey(HKEY root, const std::string& keyPath, CProfile& profile) {
    UniqueKey key;
    if (LONG error = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.put())) return error;
    std::string section = SectionOf(root, keyPath);
    if (unsigned long error = WriteEmptySection(profile, section)) return error;
    DWORD subkeys = 0;
    DWORD values = 0;
    if (LONG error = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                      nullptr, nullptr, nullptr, nullptr))
        return error;
    for (DWORD index = 0; index < subkeys; ++index) {
        char name[kNameBytes];
        DWORD length = kNameBytes;
        if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr)) continue;
        ExportKey(root, keyPath + "\\" + name, profile);
    }
    ExportValues(key.get(), values, profile, section);
    return ERROR_SUCCESS;
}

// The profile writer takes a bare file name as relative to the Windows folder, so the file
// is named by its full path for both the creation and the writes.
bool FullPath(const char* path, std::string& full) {
    DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (needed == 0) return false;
    full.assign(needed, '\0');
    DWORD length = GetFullPathNameA(path, needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return false;
    full.resize(length);
    return true;
}

LONG WriteLine(HKEY key, const regtext::ValueLine& line) {
    switch (line.type) {
    case regtext::LineType::String:
        return RegSetValueExA(key, line.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(line.text.c_str()),
                              static_cast<DWORD>(line.text.size() + 1));
    case regtext::LineType::Dword: {
        DWORD number = line.number;
        return RegSetValueExA(key, line.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                              sizeof(number));
    }
    case regtext::LineType::Binary:
        return ERROR_SUCCESS;
    case regtext::LineType::Invalid:
        break;
    }
    return ERROR_INVALID_DATA;
}

// The result is that of the section's last line, or of the key creation.
unsigned long ImportSection(CRegistryTextProfile& profile, const std::string& name) {
    regtext::SectionTarget target = regtext::ParseSection(name);
    UniqueKey key;
    LONG result = RegCreateKeyExA(HandleOf(target.root), target.keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE, nullptr, key.put(), nullptr);
    if (result) return result;
    SECTION_LIST* section = profile.MainList().FindSection(name.c_str());
    for (LINE_LIST* line = section ? section->lines : nullptr; line; line = line->next)
        result = WriteLine(key.get(), regtext::ParseValueLine(profile.ResolveLine(*line)));
    return result;
}

}  // namespace

unsigned long CRegistry::SaveToFile(const char* key, const char* filePath, HKEY root) {
    if (!key || !*key || !filePath || !*filePath) return ERROR_INVALID_PARAMETER;
    std::string path;
    if (!FullPath(filePath, path)) return GetLastError() ? GetLastError() : ERROR_INVALID_PARAMETER;
    {
        setup::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_ARCHIVE,
                                           nullptr));
        if (!file) return GetLastError();
    }
    // HKEY_USERS has no name in the file format: the file stays empty.
    if (SectionOf(root, key).empty()) return ERROR_SUCCESS;
    CProfile profile;
    profile.Create(path.c_str(), nullptr);
    return ExportKey(root, key, profile);
}

unsigned long CRegistry::LoadFromFile(const char* filePath) {
    if (!filePath || !*filePath) return ERROR_INVALID_PARAMETER;
    CRegistryTextProfile profile;
    profile.Create(filePath, nullptr);
    std::vector<std::string> sections;
    if (unsigned long error = profile.SectionNames(sections)) return error;
    unsigned long result = ERROR_SUCCESS;
    for (const std::string& name : sections) result = ImportSection(profile, name);
    return result;
}
