#pragma once
// Language identifiers (16-bit LANGID): built-in abbreviations, data-file keys and the
// choice of a supported language. Platform-free; the profile reads are passed in.
#include <functional>
#include <string>
#include <vector>

namespace setup {

constexpr unsigned short kEnglishLanguageId = 9;

inline unsigned short PrimaryLanguage(unsigned short id) { return static_cast<unsigned short>(id & 0x3FF); }
inline unsigned short SubLanguage(unsigned short id) { return static_cast<unsigned short>(id >> 10); }

// "0X%04X": the key of a language id in COUNTRY_LANG_CODE, LANGUAGE_ABBR and LANGUAGE_DIR.
std::string LanguageKey(unsigned short id);

// Abbreviation used when the data file names none for the language.
std::string BuiltinLanguageAbbr(unsigned short id);

// The listed number (PROGRAM_LANG_INFO, in file order) that equals the id or its primary
// language; false when none does.
bool FindSupportedLanguage(unsigned short id, const std::vector<unsigned long>& listed,
                           unsigned short* supported);

// COUNTRY_LANG_CODE: the id to use instead of a language id, read as a number; false if absent.
using CountryLookup = std::function<bool(const std::string& key, unsigned long& mapped)>;

struct LANGUAGE_CHOICE {
    unsigned short languageId = kEnglishLanguageId;
    unsigned short orgLanguageId = kEnglishLanguageId;
};

// Country mapping, then the supported check; an unsupported id (or a mapping to 0, which is
// no language) becomes English (9). The org id is the requested id's own supported form,
// before mapping.
LANGUAGE_CHOICE ResolveLanguage(unsigned short requested, const CountryLookup& country,
                                const std::vector<unsigned long>& listed);

}  // namespace setup
