#include "fileops/system_utils.h"

#include <gtest/gtest.h>
#include <winspool.h>

namespace setup {
namespace {

constexpr char kDriverWithPrinter[] = "Sysutils Demo Driver";
constexpr char kDriverAlone[] = "Sysutils Lonely Driver";

bool AddDemoDriver(const char* name) {
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(name);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("generic.ppd");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    return AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) != FALSE;
}

// One driver with a printer on "FILE:", one driver without any, in the test's own prefix.
class PrinterChecksTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(AddDemoDriver(kDriverWithPrinter)) << GetLastError();
        ASSERT_TRUE(AddDemoDriver(kDriverAlone)) << GetLastError();
        PRINTER_INFO_2A printer{};
        printer.pPrinterName = const_cast<char*>("Sysutils Demo Printer");
        printer.pPortName = const_cast<char*>("FILE:");
        printer.pDriverName = const_cast<char*>(kDriverWithPrinter);
        printer.pPrintProcessor = const_cast<char*>("WinPrint");
        HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
        if (handle != nullptr) ClosePrinter(handle);  // Wine adds the printer yet may return none
    }
};

TEST_F(PrinterChecksTest, ByPrinterLooksAtTheDriversOfInstalledPrinters) {
    struct Case {
        const char* name;
        bool installed;
    } cases[] = {
        {kDriverWithPrinter, true},
        {"SYSUTILS DEMO DRIVER", true},
        {kDriverAlone, false},           // installed, but no printer uses it
        {"Sysutils Demo Printer", false}, // a printer's own name is not its driver
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.installed, IsPrinterOrDriverInstalled(c.name, true));
    }
    EXPECT_FALSE(IsPrinterOrDriverInstalled(nullptr, true));
}

TEST_F(PrinterChecksTest, ByDriverLooksAtTheInstalledDrivers) {
    struct Case {
        const char* name;
        bool installed;
    } cases[] = {
        {kDriverWithPrinter, true},
        {kDriverAlone, true},
        {"sysutils lonely driver", true},
        {"Sysutils Missing Driver", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.installed, IsPrinterOrDriverInstalled(c.name, false));
    }
    EXPECT_FALSE(IsPrinterOrDriverInstalled(nullptr, false));
}

TEST(PortPresent, MatchesPortNamesIgnoringCase) {
    struct Case {
        const char* port;
        bool present;
    } cases[] = {
        {"FILE:", true}, {"lpt1:", true}, {"LPT1", false}, {"IP_192.168.0.9", false}, {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        EXPECT_EQ(c.present, IsPortPresent(c.port));
    }
    EXPECT_FALSE(IsPortPresent(nullptr));
}

}  // namespace
}  // namespace setup
