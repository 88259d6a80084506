#include "modules/external_fnt.h"

#include "standin_fixture.h"
#include "support/raw_registry.h"

#include <functional>

namespace {

using standin_test::ModuleFixture;
using standin_test::TestModuleConfig;

// One wrapper call: what it logs and what it returns (booleans and numbers as long long).
struct WrapperCase {
    const char* name;
    std::function<long long(const CExternalFnt&)> call;
    std::string line;  // empty: the wrapper writes no line
    long long result;
};

class ExternalFntTest : public ModuleFixture {
protected:
    // Checks every case: its own line is the last one of the log, and its result.
    void CheckCases(const CExternalFnt& table, const std::vector<WrapperCase>& cases) {
        for (const WrapperCase& c : cases) {
            SCOPED_TRACE(c.name);
            const std::size_t before = LogLines().size();
            EXPECT_EQ(c.call(table), c.result);
            const auto lines = LogLines();
            if (c.line.empty()) {
                EXPECT_EQ(lines.size(), before);
            } else {
                ASSERT_EQ(lines.size(), before + 1);
                EXPECT_EQ(lines.back(), c.line);
            }
        }
    }
};

constexpr const char* kSimulation =
    "[USB]\r\nCount=1\r\n"
    "[USB.0]\r\nMFG=Orvane\r\nMDL=FS-1\r\nVIDPID=VID_0482&PID_0001\r\nPort=USB001\r\n"
    "DeviceID=MFG:Orvane;MDL:FS-1;CMD:PJL;\r\n"
    "[NETWORK]\r\nCount=1\r\n"
    "[NETWORK.0]\r\nName=FS-1 office\r\nMAC=0012AB34CD56\r\nIP=10.0.0.5\r\nSubnet=255.255.255.0\r\n"
    "Gateway=10.0.0.1\r\nDescription=Orvane FS-1\r\nIPX=00000000:0012AB34CD56\r\n";

TEST_F(ExternalFntTest, EveryWrapperLogsItsCallAndReturnsTheModuleResult) {
    CopyAllStandins();
    WriteSim(kSimulation);
    ASSERT_EQ(test_support::CreateKey(HKEY_LOCAL_MACHINE, "Software\\OrvaneModTest\\Installing"), ERROR_SUCCESS);
    const std::string saved = Medium("RtReg.reg");
    const std::string prn = Medium("page.prn");
    test_support::WriteBytes(prn, "data");

    TestModuleConfig config(Medium());
    const CExternalFnt& table = Load(config);
    char port[260] = {};
    char text[16384] = {};
    unsigned long count = 99;
    unsigned long size = 0;
    int printers = 0;
    char request[2048] = {};

    const std::vector<WrapperCase> cases = {
        {"GetDevicePort", [&](const CExternalFnt& t) { return t.GetDevicePort("Orvane", "FS-1", "VID_0482&PID_0001", port, &count); },
         "Call GetDevicePort(Orvane,FS-1,VID_0482&PID_0001,lpPort,lpdwPortNum)", 1},
        {"StartPreventPnP", [](const CExternalFnt& t) { return t.StartPreventPnP("Orvane FS-1"); },
         "Call StartPreventPnP(Orvane FS-1)", 1},
        {"EndPreventPnP", [](const CExternalFnt& t) { return t.EndPreventPnP("Orvane FS-1"); },
         "Call EndPreventPnP(Orvane FS-1)", 1},
        {"RemoveHardwareWizardDialog", [](const CExternalFnt& t) { return t.RemoveHardwareWizardDialog(); }, "", 0},
        {"MySetForegroundNHWdDialog", [](const CExternalFnt& t) { return t.MySetForegroundNHWdDialog(); }, "", 0},
        {"SystemRefresh", [](const CExternalFnt& t) { return t.SystemRefresh("Orvane FS-1", "VID_0482&PID_0001"); },
         "Call SystemRefresh(Orvane FS-1,VID_0482&PID_0001)", 1},
        {"RemoveUnknownDev", [](const CExternalFnt& t) { return t.RemoveUnknownDev("Orvane FS-1", "VID_0482&PID_0001"); },
         "Call RemoveUnknownDev(Orvane FS-1,VID_0482&PID_0001)", 1},
        {"SaveFile", [&](const CExternalFnt& t) { return t.SaveFile(saved.c_str(), "Software\\OrvaneModTest\\Installing", 0); },
         "Call SaveFile(" + saved + ",Software\\OrvaneModTest\\Installing,0)", 1},
        {"GetDiskFreeSpaceKX", [](const CExternalFnt& t) { return t.GetDiskFreeSpaceKX("C:\\") > 0; },
         "Call GetDiskFreeSpaceKX(C:\\)", 1},
        {"MyGetDeviceIDFromPort", [&](const CExternalFnt& t) { return t.MyGetDeviceIDFromPort("USB001", text); },
         "Call MyGetDeviceIDFromPort", 1},
        {"MyInstall", [](const CExternalFnt& t) { return t.MyInstall(0, "Software\\OrvaneModTest\\Installing", "Software\\OrvaneModTest\\Installing\\Items\\None", 1); },
         "Call MyInstall(0,Software\\OrvaneModTest\\Installing,Software\\OrvaneModTest\\Installing\\Items\\None,1)", 0},
        {"MyCreateShortCut", [](const CExternalFnt& t) { return t.MyCreateShortCut(0, "Software\\OrvaneModTest\\Installing", "Software\\OrvaneModTest\\Installing\\Shortcut\\None"); },
         "Call MyCreateShortCut(0,Software\\OrvaneModTest\\Installing,Software\\OrvaneModTest\\Installing\\Shortcut\\None)", 0},
        {"Diagnosis", [](const CExternalFnt& t) { return t.Diagnosis("Orvane", "FS-1 KX", "FS-1", "VID_0482&PID_0001"); },
         "Call Diagnosis(Orvane,FS-1 KX,FS-1,VID_0482&PID_0001)", 1},
        {"DiagnosisEx", [](const CExternalFnt& t) { return t.DiagnosisEx("Orvane", "FS-1 KX", "FS-1", "VID_0482&PID_0001", 0); },
         "Call DiagnosisEx(Orvane,FS-1 KX,FS-1,VID_0482&PID_0001,0)", 1},
        {"PrintTestPage", [](const CExternalFnt& t) { return t.PrintTestPage("FS-1 KX", "a", "b", "C:\\KXres.dll", "c"); },
         "Call PrintTestPage(FS-1 KX,a,b,C:\\KXres.dll,c)", -1},
        {"MetaTestPage", [](const CExternalFnt& t) { return t.MetaTestPage("FS-1 KX", "page.emf"); },
         "Call MetaTestPage(FS-1 KX,page.emf)", -1},
        {"PrintPrnFile", [&](const CExternalFnt& t) { return t.PrintPrnFile("No such printer", prn.c_str()); },
         "Call PrintPrnFile(No such printer," + prn + ")", -1},
        {"MySetNetworkPort", [](const CExternalFnt& t) { return t.MySetNetworkPort("IP_10.0.0.5", "10.0.0.5", "Orvane Port", "kxmon.dll", "KxMutex", 0); },
         "Call MySetNetworkPort(IP_10.0.0.5,10.0.0.5,Orvane Port,kxmon.dll,KxMutex,0)", 1},
        {"MySetNetworkPortEx", [](const CExternalFnt& t) { return t.MySetNetworkPortEx("IP_10.0.0.5", "10.0.0.5", "0012AB34CD56", "00000000:0012AB34CD56", "Orvane Port", "kxmon.dll", "KxMutex", 1); },
         "Call MySetNetworkPortEx(IP_10.0.0.5,10.0.0.5,0012AB34CD56,00000000:0012AB34CD56,Orvane Port,kxmon.dll,KxMutex,1)", 1},
        {"MyDelNetworkPort", [](const CExternalFnt& t) { return t.MyDelNetworkPort("IP_10.0.0.5", "KxMutex", 0); },
         "Call MyDelNetworkPort(IP_10.0.0.5,KxMutex,0)", 1},
        {"MyGetPrinterDesc", [&](const CExternalFnt& t) { return t.MyGetPrinterDesc("10.0.0.5", text, 1); },
         "Call MyGetPrinterDesc(10.0.0.5)", 0},
        {"MyGetIPX", [&](const CExternalFnt& t) { return t.MyGetIPX("10.0.0.5", text); }, "Call MyGetIPX(10.0.0.5)", 1},
        {"SetIP", [](const CExternalFnt& t) { return t.SetIP("10.0.0.9", "10.0.0.1", "255.255.255.0", "0012AB34CD56"); },
         "Call SetIP(10.0.0.9,10.0.0.1,255.255.255.0,0012AB34CD56)", 0},
        {"GetNetPrinter", [&](const CExternalFnt& t) { return t.GetNetPrinter(nullptr, &size, &printers); },
         "Call GetNetPrinter(0,0,0)", 0},
        {"Preinstall", [](const CExternalFnt& t) { return t.Preinstall("/P x.dat /S C:\\m", 0); },
         "Call Preinstall(/P x.dat /S C:\\m,0)", 0},
        {"DoRemoteInstall", [&](const CExternalFnt& t) { return t.DoRemoteInstall(request); }, "", 0},
    };
    CheckCases(table, cases);

    // The outputs came from the module.
    EXPECT_EQ(count, 1u);
    EXPECT_STREQ(port, "USB001");
    EXPECT_EQ(printers, 1);
    EXPECT_EQ(size, 65u);
    EXPECT_TRUE(standin_test::FileExists(saved));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\OrvaneModTest\\Installing");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\OrvaneModTest");
}

// The same wrappers without their functions: the "==> NULL" line and the fixed fallback, and
// outputs left as they were. Once with no module files at all, once with every key naming a
// module that exports none of the functions.
TEST_F(ExternalFntTest, MissingFunctionsLogNullAndReturnTheirFallback) {
    CopyStandin("KXres.dll", "KXres.dll");
    for (bool modulesWithoutExports : {false, true}) {
        SCOPED_TRACE(modulesWithoutExports ? "modules without the exports" : "no module files");
        TestModuleConfig config(Medium());
        if (modulesWithoutExports)
            for (const char* key : {"INSTALLER_DLL", "UTILITY_DLL", "REMOTE_INSTALL_DLL", "DIAGNOSIS_DLL", "TESTPAGE_DLL",
                                    "NETWORKMAN_DLL", "PREINSTALLER_DLL", "SETIP_DLL"})
                config.Set("INSTALLER_FILE_INFO", key, ".\\KXres.dll");
        const CExternalFnt& table = Load(config);
        for (int f = 0; f < CExternalFnt::kFunctionCount; ++f)
            EXPECT_FALSE(table.HasFunction(static_cast<CExternalFnt::Function>(f))) << f;

        char port[260] = "untouched";
        unsigned long count = 77;
        char text[64] = "untouched";
        unsigned long size = 5;
        int printers = 6;
        const std::vector<WrapperCase> cases = {
            {"GetDevicePort", [&](const CExternalFnt& t) { return t.GetDevicePort("M", "D", "V", port, &count); },
             "Call GetDevicePort ==> NULL", 0},
            {"StartPreventPnP", [](const CExternalFnt& t) { return t.StartPreventPnP("M D"); }, "Call StartPreventPnP ==> NULL", 0},
            {"EndPreventPnP", [](const CExternalFnt& t) { return t.EndPreventPnP("M D"); }, "Call EndPreventPnP ==> NULL", 0},
            {"RemoveHardwareWizardDialog", [](const CExternalFnt& t) { return t.RemoveHardwareWizardDialog(); },
             "Call RemoveHardwareWizardDialog ==> NULL", 0},
            {"MySetForegroundNHWdDialog", [](const CExternalFnt& t) { return t.MySetForegroundNHWdDialog(); },
             "Call MySetForegroundNHWdDialog ==> NULL", 0},
            {"SystemRefresh", [](const CExternalFnt& t) { return t.SystemRefresh("M D", "V"); }, "Call SystemRefresh ==> NULL", 0},
            {"RemoveUnknownDev", [](const CExternalFnt& t) { return t.RemoveUnknownDev("M D", "V"); }, "Call RemoveUnknownDev ==> NULL", 0},
            {"SaveFile", [](const CExternalFnt& t) { return t.SaveFile("C:\\x.reg", "Software", 0); }, "Call SaveFile ==> NULL", 0},
            {"GetDiskFreeSpaceKX", [](const CExternalFnt& t) { return t.GetDiskFreeSpaceKX("C:\\"); }, "Call GetDiskFreeSpaceKX ==> NULL", 0},
            {"MyGetDeviceIDFromPort", [&](const CExternalFnt& t) { return t.MyGetDeviceIDFromPort("USB001", text); },
             "Call MyGetDeviceIDFromPort ==> NULL", 0},
            {"MyInstall", [](const CExternalFnt& t) { return t.MyInstall(0, "A", "A\\Items\\B", 0); }, "Call MyInstall ==> NULL", 0},
            {"MyCreateShortCut", [](const CExternalFnt& t) { return t.MyCreateShortCut(0, "A", "A\\Shortcut\\B"); },
             "Call MyCreateShortCut ==> NULL", 0},
            {"Diagnosis", [](const CExternalFnt& t) { return t.Diagnosis("M", "P", "D", "V"); }, "Call Diagnosis ==> NULL", 1},
            {"DiagnosisEx", [](const CExternalFnt& t) { return t.DiagnosisEx("M", "P", "D", "V", 0); }, "Call DiagnosisEx ==> NULL", 1},
            {"PrintTestPage", [](const CExternalFnt& t) { return t.PrintTestPage("P", "", "", "", ""); }, "Call PrintTestPage ==> NULL", -1},
            {"MetaTestPage", [](const CExternalFnt& t) { return t.MetaTestPage("P", "f"); }, "Call MetaTestPage ==> NULL", -1},
            {"PrintPrnFile", [](const CExternalFnt& t) { return t.PrintPrnFile("P", "f"); }, "Call PrintPrnFile ==> NULL", 1},
            {"MySetNetworkPort", [](const CExternalFnt& t) { return t.MySetNetworkPort("p", "1.2.3.4", "m", "f", "x", 0); },
             "Call MySetNetworkPort ==> NULL", 0},
            {"MySetNetworkPortEx", [](const CExternalFnt& t) { return t.MySetNetworkPortEx("p", "1.2.3.4", "", "", "m", "f", "x", 0); },
             "Call MySetNetworkPortEx ==> NULL", 0},
            {"MyDelNetworkPort", [](const CExternalFnt& t) { return t.MyDelNetworkPort("p", "x", 0); }, "Call MyDelNetworkPort ==> NULL", 0},
            {"MyGetPrinterDesc", [&](const CExternalFnt& t) { return t.MyGetPrinterDesc("1.2.3.4", text, 0); },
             "Call MyGetPrinterDesc ==> NULL", 4096},
            {"MyGetIPX", [&](const CExternalFnt& t) { return t.MyGetIPX("1.2.3.4", text); }, "Call MyGetIPX ==> NULL", 0},
            {"SetIP", [](const CExternalFnt& t) { return t.SetIP("1.2.3.4", "1.2.3.1", "255.0.0.0", "001122334455"); },
             "Call SetIP ==> NULL", 1},
            {"GetNetPrinter", [&](const CExternalFnt& t) { return t.GetNetPrinter(nullptr, &size, &printers); },
             "Call GetNetPrinter ==> NULL", 1},
            {"Preinstall", [](const CExternalFnt& t) { return t.Preinstall("/P x", 0); }, "Call Preinstall ==> NULL", -1},
            {"DoRemoteInstall", [](const CExternalFnt& t) { return t.DoRemoteInstall(nullptr); }, "Call DoRemoteInstall ==> NULL", 0},
        };
        CheckCases(table, cases);
        EXPECT_STREQ(port, "untouched");
        EXPECT_EQ(count, 77u);
        EXPECT_STREQ(text, "untouched");
        EXPECT_EQ(size, 5u);
        EXPECT_EQ(printers, 6);
    }
}

// Each module that cannot be loaded writes its failure line followed by the system error.
TEST_F(ExternalFntTest, ModulesThatCannotLoadLogTheirFailureWithTheSystemError) {
    test_support::WriteBytes(Medium("data\\Kxutil.dll"), "not a module");
    TestModuleConfig config(Medium());
    config.Set("INSTALLER_FILE_INFO", "INSTALLER_DLL", ".\\nowhere\\Kxrun.dll");
    Load(config);

    const auto lines = LogLines();
    auto lineAfter = [&](const std::string& line) -> std::string {
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i] == line) return lines[i + 1];
        return "(no line " + line + ")";
    };
    struct Failure {
        std::string line;
        unsigned long error;
    };
    const Failure failures[] = {
        {"Load installer DLL fail (.\\nowhere\\Kxrun.dll)", ERROR_FILE_NOT_FOUND},
        {"Load Utility DLL fail (" + Medium("data\\Kxutil.dll") + ")", ERROR_BAD_EXE_FORMAT},
        {"Load Remote DLL fail (.\\data\\Kxrmtint.dll)", ERROR_FILE_NOT_FOUND},
        {"Load Diagnosis DLL fail (.\\data\\Kxdiag.dll)", ERROR_FILE_NOT_FOUND},
        {"Load TestPage DLL fail (.\\data\\Kxdiag.dll)", ERROR_FILE_NOT_FOUND},
        {"Get network Netmanager DLL fail", ERROR_FILE_NOT_FOUND},
        {"Load Resource DLL fail (.\\KXres.dll)", ERROR_FILE_NOT_FOUND},
        {"Load Preinstaller DLL fail (.\\data\\KXpre.dll)", ERROR_FILE_NOT_FOUND},
        {"Load SetIP DLL fail (.\\data\\Setip.dll)", ERROR_FILE_NOT_FOUND},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.line);
        EXPECT_EQ(lineAfter(f.line).rfind("Error Code = " + std::to_string(f.error) + " :", 0), 0u)
            << lineAfter(f.line);
    }
    EXPECT_EQ(table_->ModuleHandle(CExternalFnt::kUtility), nullptr);
    EXPECT_EQ(table_->ResourceModule(), nullptr);
}

// Without TESTPAGE_DLL the diagnosis module's configured value names the test-page module; the
// variant section's value wins over the section's own.
TEST_F(ExternalFntTest, ModulePathsFollowVariantSectionDefaultsAndTheDiagnosisFallback) {
    CreateDirectoryA(Medium("diag").c_str(), nullptr);
    CreateDirectoryA(Medium("xp").c_str(), nullptr);
    CopyStandin("Kxdiag.dll", "diag\\Kxdiag.dll");
    CopyStandin("Kxrun.dll", "xp\\Kxrun.dll");
    CopyStandin("Kxrun.dll", "data\\Kxrun.dll");
    CopyStandin("KXres.dll", "KXres.dll");
    CopyStandin("installer_task.exe", "data\\ROZirOvo.exe");

    TestModuleConfig config(Medium());
    config.SetVariant("INSTALLER_FILE_INFO", "INSTALLER_FILE_INFO.WINXP");
    config.Set("INSTALLER_FILE_INFO", "DIAGNOSIS_DLL", ".\\diag\\Kxdiag.dll");
    config.Set("INSTALLER_FILE_INFO.WINXP", "INSTALLER_DLL", ".\\xp\\Kxrun.dll");
    config.Set("INSTALLER_FILE_INFO", "INSTALLER_DLL", ".\\data\\Kxrun.dll");
    const CExternalFnt& table = Load(config);

    EXPECT_EQ(table.ModulePath(CExternalFnt::kInstaller), Medium("xp\\Kxrun.dll"));
    EXPECT_EQ(table.ModulePath(CExternalFnt::kTestPage), Medium("diag\\Kxdiag.dll"));
    EXPECT_NE(table.ModuleHandle(CExternalFnt::kTestPage), nullptr);
    EXPECT_TRUE(table.HasFunction(CExternalFnt::fnPrintTestPage));
    EXPECT_TRUE(table.HasFunction(CExternalFnt::fnDiagnosisEx));
    EXPECT_TRUE(table.HasFunction(CExternalFnt::fnMyInstall));

    EXPECT_EQ(table.UninstallerPath(), Medium("data\\ROZirOvo.exe"));
    EXPECT_EQ(table.ViewerPath(), "");
    EXPECT_EQ(table.ResourcePath(), Medium("KXres.dll"));
    ASSERT_NE(table.ResourceModule(), nullptr);
    EXPECT_NE(FindResourceA(table.ResourceModule(), MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16)), nullptr);
}

// Loading again releases the earlier modules: the files can then be deleted.
TEST_F(ExternalFntTest, LoadingAgainReleasesTheEarlierModules) {
    CopyStandin("Kxrun.dll", "data\\Kxrun.dll");
    TestModuleConfig config(Medium());
    CExternalFnt& table = Load(config);
    ASSERT_TRUE(table.HasFunction(CExternalFnt::fnMyInstall));

    TestModuleConfig empty(Medium("nowhere"));
    table.LoadModules("INSTALLER_FILE_INFO", empty);
    EXPECT_FALSE(table.HasFunction(CExternalFnt::fnMyInstall));
    EXPECT_TRUE(DeleteFileA(Medium("data\\Kxrun.dll").c_str())) << GetLastError();
}

}  // namespace
