#include "environment/language_table.h"

#include <cstdio>

namespace setup {

std::string LanguageKey(unsigned short id) {
    char key[16];
    std::snprintf(key, sizeof(key), "0X%04X", id);
    return key;
}

std::string BuiltinLanguageAbbr(unsigned short id) {
    struct Entry {
        unsigned short primary;
        const char* abbr;
    };
    static const Entry table[] = {
        {0x01, "AB"}, {0x05, "CZ"}, {0x06, "DN"}, {0x07, "GR"}, {0x08, "GK"}, {0x0A, "SP"},
        {0x0B, "FI"}, {0x0C, "FN"}, {0x0D, "HB"}, {0x0E, "HU"}, {0x10, "IT"}, {0x11, "JP"},
        {0x12, "KR"}, {0x13, "DT"}, {0x14, "NR"}, {0x15, "PO"}, {0x19, "RU"}, {0x1D, "SW"},
        {0x1E, "TI"}, {0x1F, "TK"}, {0x21, "IN"},
    };
    unsigned short primary = PrimaryLanguage(id);
    unsigned short sub = SubLanguage(id);
    if (primary == 0x04) return sub == 1 ? "CT" : "CP";
    if (primary == 0x16) {
        if (sub == 1) return "BP";
        if (sub == 2) return "PT";
        return "EN";
    }
    for (const Entry& entry : table)
        if (entry.primary == primary) return entry.abbr;
    return "EN";
}

bool FindSupportedLanguage(unsigned short id, const std::vector<unsigned long>& listed,
                           unsigned short* supported) {
    for (unsigned long number : listed) {
        if (number == id || number == PrimaryLanguage(id)) {
            *supported = static_cast<unsigned short>(number);
            return true;
        }
    }
    return false;
}

LANGUAGE_CHOICE ResolveLanguage(unsigned short requested, const CountryLookup& country,
                                const std::vector<unsigned long>& listed) {
    unsigned long mapped = requested;
    if (!country(LanguageKey(requested), mapped) && !country(LanguageKey(PrimaryLanguage(requested)), mapped))
        mapped = requested;
    LANGUAGE_CHOICE choice;
    // A mapping to 0 (an unreadable number) or beyond 16 bits is no language: unsupported.
    if (mapped == 0 || mapped > 0xFFFF || !FindSupportedLanguage(static_cast<unsigned short>(mapped), listed, &choice.languageId))
        choice.languageId = kEnglishLanguageId;
    if (!FindSupportedLanguage(requested, listed, &choice.orgLanguageId))
        choice.orgLanguageId = kEnglishLanguageId;
    return choice;
}

}  // namespace setup
