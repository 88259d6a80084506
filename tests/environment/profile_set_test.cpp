#include "environment/profile_set.h"

#include "environment/macro_expansion.h"
#include "support/file_text.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// An environment with fixed words; macros expand only $VERSION$ and $LANG_ABBR$.
class FixedEnvironment : public ProfileEnvironment {
public:
    bool remote = false;
    bool network = false;
    bool usbOnly = false;
    std::string osDefine = "XP";
    std::string langAbbr = "EN";

    bool RemoteInstallMode() const override { return remote; }
    bool NetworkOption() const override { return network; }
    bool UsbOnlyOption() const override { return usbOnly; }
    std::string OsDefine() const override { return osDefine; }
    std::string LanguageAbbr() const override { return langAbbr; }
    std::string ExpandMacros(const std::string& text, unsigned short, const std::string& abbr,
                             const std::string&) const override {
        setup::MACRO_VALUES values;
        values.version = "3.2";
        values.langAbbr = abbr.empty() ? langAbbr : abbr;
        return setup::ExpandMacroText(text, values);
    }
};

class ProfileSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.Created());
        Write("data.dat",
              "[STRINGS]\n%PRODUCT% = \"LP-2040\"\n"
              "[MAIN]\nWELCOME = @MSG_WELCOME@ $VERSION$\nPRODUCT = %PRODUCT% $LANG_ABBR$\nNUM = @NUM@\n"
              "ONE_AT = mail@example\nESCAPED = a\\nb\nUNKNOWN = @NOPE@\nLOOP = @LOOP@\n"
              "[LIST]\nA = $VERSION$\nBARE_@MSG_SHORT@\nC = %PRODUCT%\n"
              "[EMPTY]\n"
              "[DIALOGS]\nX = plain\n[DIALOGS.EN]\nX = en\n[DIALOGS.XP]\nX = xp\n"
              "[OPTION]\n[OPTION.NETWORK]\n[OPTION.EN]\n");
        Write("strings.str",
              "[STRINGS]\n%PRODUCT% = \"Own product\"\n"
              "[MESSAGES]\nMSG_WELCOME = Welcome to %PRODUCT%\\nNext\nMSG_SHORT = short\nNUM = 7\n"
              "LOOP = @LOOP@@LOOP@\n");
    }
    void Write(const std::string& name, const std::string& text) { test_support::WriteBytes(Path(name), text); }
    std::string Path(const std::string& name) const { return scratch_.File(name); }
    CProfileSet& OpenDataSet() {
        set_.Open(Path("data.dat").c_str(), Path("data.dat").c_str(), Path("strings.str").c_str(), false);
        return set_;
    }

    test_support::ScratchFolder scratch_{"profileset"};
    FixedEnvironment environment_;
    CProfileSet set_{&environment_};
};

TEST_F(ProfileSetTest, ValuesPassStringsMessagesAndMacros) {
    CProfileSet& set = OpenDataSet();
    const std::pair<const char*, const char*> cases[] = {
        // Messages are read with escapes on, and the data file's STRINGS win over the
        // message file's own.
        {"WELCOME", "Welcome to LP-2040\nNext 3.2"},
        {"PRODUCT", "LP-2040 EN"},
        {"ONE_AT", "mail@example"},
        {"ESCAPED", "a\\nb"},  // escapes off for the main profile of this set
        {"UNKNOWN", "@NOPE@"},
    };
    for (const auto& [key, expected] : cases) {
        SCOPED_TRACE(key);
        std::string value;
        ASSERT_TRUE(set.GetString("MAIN", key, value));
        EXPECT_EQ(value, expected);
    }
    std::string value;
    EXPECT_FALSE(set.GetString("MAIN", "MISSING", value));
    EXPECT_FALSE(set.GetString("NO_SECTION", "WELCOME", value));
    ASSERT_TRUE(set.GetString("MAIN", "PRODUCT", value, true, 0x0412, "KR", "Korean"));
    EXPECT_EQ(value, "LP-2040 KR");
    ASSERT_TRUE(set.GetString("MAIN", "PRODUCT", value, false));
    EXPECT_EQ(value, "LP-2040 $LANG_ABBR$");
}

TEST_F(ProfileSetTest, SelfReferencingMessageEndsWithinTheWorkBuffer) {
    std::string value;
    ASSERT_TRUE(OpenDataSet().GetString("MAIN", "LOOP", value));
    EXPECT_LE(value.size(), setup::kValueBufferBytes - 1);
}

TEST_F(ProfileSetTest, EscapesApplyToTheMainProfileWhenTheSetAsksForThem) {
    set_.Open(Path("data.dat").c_str(), Path("data.dat").c_str(), nullptr, true);
    std::string value;
    ASSERT_TRUE(set_.GetString("MAIN", "ESCAPED", value));
    EXPECT_EQ(value, "a\nb");
    // Without a message file *@KEY@* references stay.
    ASSERT_TRUE(set_.GetString("MAIN", "NUM", value));
    EXPECT_EQ(value, "@NUM@");
}

TEST_F(ProfileSetTest, CallerBufferIsRespected) {
    CProfileSet& set = OpenDataSet();
    char small[8];
    EXPECT_FALSE(set.GetString("MAIN", "WELCOME", small, sizeof(small)));
    EXPECT_STREQ(small, "");
    char fits[64];
    ASSERT_TRUE(set.GetString("MAIN", "PRODUCT", fits, sizeof(fits)));
    EXPECT_STREQ(fits, "LP-2040 EN");
}

TEST_F(ProfileSetTest, RawReadsAreNotExpanded) {
    CProfileSet& set = OpenDataSet();
    unsigned long number = 99;
    ASSERT_TRUE(set.GetDword("MAIN", "NUM", &number));
    EXPECT_EQ(number, 0u);
    EXPECT_FALSE(set.GetDword("MAIN", "MISSING", &number));
}

std::vector<std::string> Entries(const char* list) {
    std::vector<std::string> entries;
    for (const char* p = list; *p; p += std::strlen(p) + 1) entries.emplace_back(p);
    return entries;
}

TEST_F(ProfileSetTest, KeyListingExpandsEachEntry) {
    CProfileSet& set = OpenDataSet();
    char list[256];
    ASSERT_TRUE(set.GetAllKey("LIST", list, sizeof(list)));
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"A = 3.2", "BARE_short", "C = LP-2040"}));
    ASSERT_TRUE(set.GetAllKey("EMPTY", list, sizeof(list)));
    EXPECT_TRUE(Entries(list).empty());
    EXPECT_FALSE(set.GetAllKey("NO_SECTION", list, sizeof(list)));
    // Too small: the entries that fit stay, still a proper list.
    char small[12];
    EXPECT_FALSE(set.GetAllKey("LIST", small, sizeof(small)));
    EXPECT_EQ(Entries(small), (std::vector<std::string>{"A = 3.2"}));
}

TEST_F(ProfileSetTest, RemoteInstallModeKeepsMacrosAndListsNothing) {
    CProfileSet& set = OpenDataSet();
    environment_.remote = true;
    std::string value;
    ASSERT_TRUE(set.GetString("MAIN", "WELCOME", value));
    EXPECT_EQ(value, "Welcome to LP-2040\nNext $VERSION$");
    char list[64];
    std::memset(list, 'x', sizeof(list));
    EXPECT_TRUE(set.GetAllKey("LIST", list, sizeof(list)));
    EXPECT_EQ(list[0], 'x');
    std::vector<std::string> keys;
    ASSERT_TRUE(set.GetKeys("LIST", keys));
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "BARE_@MSG_SHORT@", "C"}));
}

TEST_F(ProfileSetTest, SectionVariantsBySuffixSearch) {
    CProfileSet& set = OpenDataSet();
    std::string variant;
    ASSERT_TRUE(set.FindSection("dialogs", variant));
    EXPECT_EQ(variant, "DIALOGS.XP");
    environment_.network = true;
    ASSERT_TRUE(set.FindSection("OPTION", variant));
    EXPECT_EQ(variant, "OPTION.EN");
    environment_.langAbbr = "GR";
    ASSERT_TRUE(set.FindSection("OPTION", variant));
    EXPECT_EQ(variant, "OPTION.NETWORK");
    EXPECT_FALSE(set.FindSection("NOWHERE", variant));
    EXPECT_TRUE(set.SectionExists("dialogs.en"));
    EXPECT_FALSE(set.SectionExists("DIALOGS.FN"));
}

TEST_F(ProfileSetTest, UnopenedSetAnswersNothing) {
    CProfileSet set(&environment_);
    std::string value;
    unsigned long number = 0;
    char list[16];
    EXPECT_FALSE(set.Open(nullptr, nullptr, nullptr, false));
    EXPECT_FALSE(set.GetString("MAIN", "WELCOME", value));
    EXPECT_FALSE(set.GetDword("MAIN", "NUM", &number));
    EXPECT_FALSE(set.GetAllKey("LIST", list, sizeof(list)));
    EXPECT_FALSE(set.FindSection("DIALOGS", value));
    // A missing file still opens (an empty profile).
    EXPECT_TRUE(set.Open(Path("missing.dat").c_str(), nullptr, nullptr, false));
    EXPECT_FALSE(set.GetString("MAIN", "WELCOME", value));
}

TEST_F(ProfileSetTest, LanguageSwitchReplacesTheMessageFile) {
    CProfileSet& set = OpenDataSet();
    Write("strings_gr.str", "[MESSAGES]\nMSG_WELCOME = Willkommen\n");
    ASSERT_TRUE(set.SetMessageFile(Path("strings_gr.str").c_str()));
    std::string value;
    ASSERT_TRUE(set.GetString("MAIN", "WELCOME", value));
    EXPECT_EQ(value, "Willkommen 3.2");
    Write("other.dat", "[MAIN]\nWELCOME = other\n");
    ASSERT_TRUE(set.ReloadMain(Path("other.dat").c_str()));
    ASSERT_TRUE(set.GetString("MAIN", "WELCOME", value));
    EXPECT_EQ(value, "other");
}

}  // namespace
