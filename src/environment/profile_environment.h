#pragma once
// What a profile set reads from the run-time environment while it hands out values
// (CGlobal implements it; tests may supply their own).
#include <string>

class ProfileEnvironment {
public:
    virtual ~ProfileEnvironment() = default;
    virtual bool RemoteInstallMode() const = 0;
    virtual bool NetworkOption() const = 0;
    virtual bool UsbOnlyOption() const = 0;
    virtual std::string OsDefine() const = 0;
    virtual std::string LanguageAbbr() const = 0;
    // $MACRO$ expansion with optional language overrides (0 / empty = current language).
    virtual std::string ExpandMacros(const std::string& text, unsigned short langId,
                                     const std::string& langAbbr, const std::string& langDir) const = 0;
};
