#include "environment/language_table.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(LanguageTable, BuiltinAbbreviations) {
    const std::pair<unsigned short, const char*> cases[] = {
        {0x0412, "KR"}, {0x0404, "CT"}, {0x0804, "CP"}, {0x0C04, "CP"}, {0x1004, "CP"},
        {0x0416, "BP"}, {0x0816, "PT"}, {0x0016, "EN"}, {0x0418, "EN"}, {0x0409, "EN"},
        {0x0401, "AB"}, {0x0405, "CZ"}, {0x0406, "DN"}, {0x0407, "GR"}, {0x0807, "GR"},
        {0x0408, "GK"}, {0x0C0A, "SP"}, {0x040B, "FI"}, {0x040C, "FN"}, {0x040D, "HB"},
        {0x040E, "HU"}, {0x0410, "IT"}, {0x0411, "JP"}, {0x0413, "DT"}, {0x0414, "NR"},
        {0x0415, "PO"}, {0x0419, "RU"}, {0x041D, "SW"}, {0x041E, "TI"}, {0x041F, "TK"},
        {0x0421, "IN"}, {0x0000, "EN"},
    };
    for (const auto& [id, abbr] : cases) {
        SCOPED_TRACE(setup::LanguageKey(id));
        EXPECT_EQ(setup::BuiltinLanguageAbbr(id), abbr);
    }
}

TEST(LanguageTable, KeyIsUpperHexWithFourDigits) {
    EXPECT_EQ(setup::LanguageKey(0x0c0a), "0X0C0A");
    EXPECT_EQ(setup::LanguageKey(9), "0X0009");
}

setup::CountryLookup Country(const std::map<std::string, unsigned long>& map) {
    return [map](const std::string& key, unsigned long& mapped) {
        auto it = map.find(key);
        if (it == map.end()) return false;
        mapped = it->second;
        return true;
    };
}

struct ResolveCase {
    const char* name;
    unsigned short requested;
    std::map<std::string, unsigned long> country;
    std::vector<unsigned long> listed;
    unsigned short language;
    unsigned short org;
};

TEST(LanguageTable, ResolveMapsCountriesAndFallsBackToEnglish) {
    const ResolveCase cases[] = {
        {"swiss german mapped", 0x0807, {{"0X0807", 0x0407}}, {0x0409, 0x0407}, 0x0407, 9},
        {"swiss german listed itself", 0x0807, {{"0X0807", 0x0407}}, {0x0407, 0x0807}, 0x0407, 0x0807},
        {"primary german listed", 0x0807, {{"0X0807", 0x0407}}, {0x0407, 0x0007}, 0x0407, 0x0007},
        {"english by primary", 0x0809, {}, {0x0009, 0x0412}, 0x0009, 0x0009},
        {"korean", 0x0412, {}, {0x0009, 0x0412}, 0x0412, 0x0412},
        {"mapping by primary key", 0x0C07, {{"0X0007", 0x0407}}, {0x0407}, 0x0407, 9},
        {"unsupported", 0x0419, {}, {0x0409}, 9, 9},
        {"no section", 0x0409, {}, {}, 9, 9},
        {"mapped to unsupported", 0x0807, {{"0X0807", 0x0416}}, {0x0409, 0x0807}, 9, 0x0807},
        {"mapped beyond 16 bits", 0x0807, {{"0X0807", 0x10407}}, {0x0407}, 9, 9},
        {"mapped to garbage", 0x0409, {{"0X0409", 0}}, {0, 0x0409}, 9, 0x0409},
        {"first listed wins", 0x0409, {}, {0x0009, 0x0409}, 0x0009, 0x0009},
    };
    for (const ResolveCase& c : cases) {
        SCOPED_TRACE(c.name);
        setup::LANGUAGE_CHOICE choice = setup::ResolveLanguage(c.requested, Country(c.country), c.listed);
        EXPECT_EQ(choice.languageId, c.language);
        EXPECT_EQ(choice.orgLanguageId, c.org);
    }
}

}  // namespace
