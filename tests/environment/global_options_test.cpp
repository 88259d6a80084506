// The OPTION switches of CGlobal: section variants, defaults and their log lines.
#include "medium_fixture.h"

namespace {

class GlobalOptionsTest : public MediumTest {};

// Options on a system posing as 32-bit Windows XP (OS define XP) or Windows 7 (W7).
struct OptionCase {
    const char* name;
    const char* data;
    unsigned long major, minor;
    std::vector<std::string> present;  // log lines expected
    std::vector<std::string> absent;   // log lines that must not appear
};

TEST_F(GlobalOptionsTest, OptionsFromTheBestSectionThenThePlainOne) {
    const char* osDefine = "[OS_DEFINE]\n0X00020501 = XP\n0X00020601 = W7\n";
    const OptionCase cases[] = {
        {"OS variant on XP", "[OPTION.XP]\nUSB_ONLY = 1\n[OPTION]\nUSB_ONLY = 0\n", 5, 1,
         {"USB ONLY Option is ON", "NETWORK Option is OFF"}, {"USB ONLY Option is OFF"}},
        {"OS variant elsewhere", "[OPTION.XP]\nUSB_ONLY = 1\n[OPTION]\nUSB_ONLY = 0\n", 6, 1,
         {"USB ONLY Option is OFF"}, {"USB ONLY Option is ON"}},
        {"absent switch keeps default silently", "[OPTION]\nNETWORK = 1\n", 6, 1,
         {"NETWORK Option is ON", "RIGHT ALIGN Option is OFF"},
         {"INSTALL DEVICE Option is ON", "INSTALL DEVICE Option is OFF", "Get Option fail"}},
        {"plain section fills in", "[OPTION.XP]\nAGFA = 1\n[OPTION]\nSET_SOURCE_PATH = 0\nAGFA = 0\n", 5, 1,
         {"SET SOURCE PATH option is OFF", "AGFA option is ON"}, {"AGFA option is OFF"}},
        {"every switch logged", "[OPTION]\nDEVICE_INSTALL = 0\nSHOW_INST_ERROR = 1\nPRECREATE_DLG = 0x0\n"
                               "MAIN_ONLY = 2\nAUTO_PRINTER_CMD = 1\nUSE_PUBLIC_OID = 1\nUSE_IPX = 1\n"
                               "STOP_FIREWALL = 1\nRIGHT_ALIGN = 1\nNETWORK = garbage\n", 6, 1,
         {"INSTALL DEVICE Option is OFF", "SHOW INSTALL ERROR Option is ON", "PRECREATE DIALOG option is OFF",
          "JUST MAIN option is ON", "AUTO PRINTER COMMAND option is ON", "USE PUBLIC OID option is ON",
          "USE IPX option is ON", "Stop Firewall option is ON", "RIGHT ALIGN Option is ON", "NETWORK Option is OFF"},
         {}},
        {"no option section", "", 6, 1,
         {"Get Option fail", "USB ONLY Option is OFF", "NETWORK Option is OFF", "RIGHT ALIGN Option is OFF"}, {}},
        {"right-to-left forced off on NT 4", "[OPTION]\nRIGHT_ALIGN = 1\n", 4, 0,
         {"RIGHT ALIGN Option is OFF"}, {"RIGHT ALIGN Option is ON"}},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        RestartLog();
        WriteMedium(std::string(osDefine) + c.data);
        CGlobal global(FactsFor(2, c.major, c.minor, 1, false));
        ASSERT_TRUE(global.Initialise(ProgramPath()));
        for (const std::string& line : c.present) EXPECT_TRUE(LogHas(line)) << line;
        for (const std::string& line : c.absent) EXPECT_FALSE(LogHas(line)) << line;
    }
}

TEST_F(GlobalOptionsTest, OptionRecordDefaultsAndAgfaGiven) {
    WriteMedium("[OPTION]\nNETWORK = 1\n");
    CGlobal global(FactsFor(2, 6, 1, 1, false));
    ASSERT_TRUE(global.Initialise(ProgramPath()));
    EXPECT_TRUE(global.DeviceInstall());
    EXPECT_TRUE(global.PrecreateDialogs());
    EXPECT_TRUE(global.Network());
    EXPECT_FALSE(global.AgfaGiven());
    EXPECT_FALSE(global.RemoteInstall());

    RestartLog();
    WriteMedium("[OPTION]\nAGFA = 0\n");
    CGlobal withAgfa(FactsFor(2, 6, 1, 1, false));
    ASSERT_TRUE(withAgfa.Initialise(ProgramPath()));
    EXPECT_FALSE(withAgfa.Agfa());
    EXPECT_TRUE(withAgfa.AgfaGiven());
}

}  // namespace
