#pragma once
// What the external module table needs from the run-time environment (CGlobal implements it).
#include <string>

class ModuleConfig {
public:
    virtual ~ModuleConfig() = default;
    // The most specific existing variant of a data-set section (OS, language, option suffixes).
    virtual bool FindSection(const char* base, std::string& variant) const = 0;
    // The macro-expanded value of a key in a data-set section; false when absent.
    virtual bool GetValue(const char* section, const char* key, std::string& value) const = 0;
    // Path rules relative to the setup folder, with the must-exist check: empty when missing.
    virtual std::string ResolveExistingPath(const std::string& value) const = 0;
};
