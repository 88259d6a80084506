#include "environment/macro_expansion.h"

#include <gtest/gtest.h>

namespace {

setup::MACRO_VALUES SampleValues() {
    setup::MACRO_VALUES v;
    v.langAbbr = "EN";
    v.orgLangAbbr = "GR";
    v.srcDir = "D:\\Medium";
    v.destDir = "C:\\Program Files\\Maker\\Product";
    v.destInstDir = "C:\\Program Files\\Maker\\Product\\Install";
    v.winDir = "C:\\Windows";
    v.sysDir = "C:\\Windows\\system32";
    v.infDir = "C:\\Windows\\Inf";
    v.osDir = "WinXP";
    v.programFilesDir = "C:\\Program Files";
    v.langDir = "English";
    v.orgLangDir = "German";
    v.dataFile = "D:\\Medium\\Setup.dat";
    v.configFile = "D:\\Medium\\data\\kxinst.kxi";
    v.stringFile = "D:\\Medium\\data\\String\\Lang_EN.str";
    v.version = "1.2";
    v.installerExe = "Setup.exe";
    v.ip = "10.0.0.5";
    v.stringFileName = "Lang_EN.str";
    v.port = "LPT1:";
    v.lcid = 0x0409;
    v.orgLcid = 0x0012;
    v.installed = false;
    return v;
}

struct MacroCase {
    const char* text;
    const char* expected;
};

TEST(MacroExpansion, ReplacesEachMacroByItsFact) {
    const MacroCase cases[] = {
        {"$DEST_DIR$\\$LANG_DIR$", "C:\\Program Files\\Maker\\Product\\English"},
        {"$LCID$", "0409"},
        {"$ORG_LCID$", "0012"},
        {"$BOOL_INSTALLED$$BOOL_!INSTALLED$", "01"},
        {"$PORT$", "LPT1:"},
        {"$SRC_DIR$$SRC_DIR$", "D:\\MediumD:\\Medium"},
        {"$Src_Dir$", "$Src_Dir$"},
        {"$NOT_A_MACRO$ $VERSION$", "$NOT_A_MACRO$ 1.2"},
        {"$LANG_ABBR$/$ORG_LANG_ABBR$", "EN/GR"},
        {"$DEST_INST_DIR$ $WIN_DIR$ $SYS_DIR$ $INF_DIR$", "C:\\Program Files\\Maker\\Product\\Install C:\\Windows C:\\Windows\\system32 C:\\Windows\\Inf"},
        {"$OS_DIR$ $PROGRAM_FILES_DIR$ $ORG_LANG_DIR$", "WinXP C:\\Program Files German"},
        {"$DATA_FILE$|$CONFIG_FILE$", "D:\\Medium\\Setup.dat|D:\\Medium\\data\\kxinst.kxi"},
        {"$STRING_FILE$|$STRING_FILE_NAME$", "D:\\Medium\\data\\String\\Lang_EN.str|Lang_EN.str"},
        {"$INSTALLER_EXE$ $IP$", "Setup.exe 10.0.0.5"},
        {"no macro", "no macro"},
        {"$", "$"},
        {"", ""},
    };
    setup::MACRO_VALUES values = SampleValues();
    for (const MacroCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(setup::ExpandMacroText(c.text, values), c.expected);
    }
}

TEST(MacroExpansion, InstalledFlagInvertsBothMacros) {
    setup::MACRO_VALUES values = SampleValues();
    values.installed = true;
    EXPECT_EQ(setup::ExpandMacroText("$BOOL_INSTALLED$,$BOOL_!INSTALLED$", values), "1,0");
}

TEST(MacroExpansion, ValueIsExpandedOnlyByLaterMacros) {
    setup::MACRO_VALUES values = SampleValues();
    values.destDir = "$SRC_DIR$\\x";     // earlier macro: stays
    values.langAbbr = "$PORT$";          // later macro: expanded further
    values.port = "$PORT$";              // itself: stays, and the pass ends
    EXPECT_EQ(setup::ExpandMacroText("$DEST_DIR$", values), "$SRC_DIR$\\x");
    EXPECT_EQ(setup::ExpandMacroText("$LANG_ABBR$", values), "$PORT$");
    values.port = "LPT2:";
    EXPECT_EQ(setup::ExpandMacroText("$LANG_ABBR$", values), "LPT2:");
}

TEST(MacroExpansion, OutputStaysWithinTheWorkBuffer) {
    setup::MACRO_VALUES values = SampleValues();
    values.destDir = std::string(4000, 'd');
    std::string text;
    for (int i = 0; i < 10; ++i) text += "$DEST_DIR$";
    std::string result = setup::ExpandMacroText(text, values);
    EXPECT_LE(result.size(), setup::kValueBufferBytes - 1);
    // Four values fit; the rest of the references stay as written.
    EXPECT_EQ(result.substr(0, 16000), std::string(16000, 'd'));
    EXPECT_EQ(result.substr(16000), "$DEST_DIR$$DEST_DIR$$DEST_DIR$$DEST_DIR$$DEST_DIR$$DEST_DIR$");
}

struct ReplaceCase {
    const char* text;
    const char* from;
    const char* to;
    std::size_t limit;
    const char* expected;
    bool complete;
};

TEST(MacroExpansion, ReplaceAllBounded) {
    const ReplaceCase cases[] = {
        {"aXbXc", "X", "YY", 100, "aYYbYYc", true},
        {"XX", "X", "X", 100, "XX", true},            // inserted text is not rescanned
        {"aXbXc", "X", "YYY", 8, "aYYYbXc", false},   // second would make 9 bytes
        {"abc", "", "Z", 100, "abc", true},
        {"abc", "q", "Z", 1, "abc", true},
    };
    for (const ReplaceCase& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        EXPECT_EQ(setup::ReplaceAllBounded(text, c.from, c.to, c.limit), c.complete);
        EXPECT_EQ(text, c.expected);
    }
}

}  // namespace
