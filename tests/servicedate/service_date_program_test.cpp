#include "servicedate/service_date_program.h"
#include "servicedate/usb_printer_port.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace servicedate {
namespace {

struct StagedInterface {
    std::string devicePath;
    std::optional<unsigned long> portNumber;
    bool readable = true;  // the device path opens for reading
    bool pipeOpens = true; // "<path>\PIPE00" opens for writing
    bool detailFails = false;
};

// A staged device list; records every pipe opened and every byte written.
class FakeUsbPrinters : public UsbPrinterSystem {
public:
    std::vector<StagedInterface> interfaces;
    bool listOpens = true;
    int enumerationErrorAt = -1;
    int year = 2026, month = 3, day = 1;

    int listOpen = 0;  // open lists not yet closed
    std::vector<std::string> probed;
    std::vector<std::string> pipesOpened;
    std::map<HANDLE, std::vector<std::string>> writes;  // per handle, one entry per write
    std::vector<HANDLE> closed;
    std::vector<std::string> debug;

    bool OpenDeviceList() override {
        if (!listOpens) return false;
        ++listOpen;
        return true;
    }
    void CloseDeviceList() override {
        if (listOpen > 0) --listOpen;
    }
    InterfaceLookup GetInterface(unsigned index, std::string& path, std::optional<unsigned long>& port) override {
        if (static_cast<int>(index) == enumerationErrorAt) return InterfaceLookup::kFailed;
        if (index >= interfaces.size()) return InterfaceLookup::kEnd;
        if (interfaces[index].detailFails) return InterfaceLookup::kFailed;
        path = interfaces[index].devicePath;
        port = interfaces[index].portNumber;
        return InterfaceLookup::kFound;
    }
    bool CanOpenForReading(const std::string& path) override {
        probed.push_back(path);
        const StagedInterface* staged = Find(path);
        return staged != nullptr && staged->readable;
    }
    HANDLE OpenForWriting(const std::string& path) override {
        pipesOpened.push_back(path);
        for (std::size_t i = 0; i < interfaces.size(); ++i) {
            if (interfaces[i].devicePath + "\\PIPE00" == path && interfaces[i].pipeOpens)
                return reinterpret_cast<HANDLE>(0x100 + i);
        }
        return INVALID_HANDLE_VALUE;
    }
    void Write(HANDLE file, const std::string& bytes) override { writes[file].push_back(bytes); }
    void Close(HANDLE file) override { closed.push_back(file); }
    void DebugOutput(const std::string& text) override { debug.push_back(text); }
    void LocalDate(int& y, int& m, int& d) override {
        y = year;
        m = month;
        d = day;
    }

    static HANDLE HandleOf(std::size_t index) { return reinterpret_cast<HANDLE>(0x100 + index); }

private:
    const StagedInterface* Find(const std::string& path) const {
        for (const StagedInterface& i : interfaces)
            if (i.devicePath == path) return &i;
        return nullptr;
    }
};

const std::string kUel("\x1B%-12345X", 9);

std::vector<std::string> ExpectedWrites(const char* digits) {
    return {kUel, std::string("@PJL DEFAULT SERVICEDATE=") + digits + "\r\n", kUel};
}

TEST(ServiceDateProgram, PortNameMatchesIgnoringCaseAndSendsThreeWrites) {
    FakeUsbPrinters system;
    system.interfaces = {{"\\\\?\\usb#vid_0482&pid_0001#1", 1UL}};
    EXPECT_EQ(0, RunServiceDate("usb001", system));

    ASSERT_EQ(std::vector<std::string>{"\\\\?\\usb#vid_0482&pid_0001#1\\PIPE00"}, system.pipesOpened);
    EXPECT_EQ(ExpectedWrites("20260301"), system.writes[FakeUsbPrinters::HandleOf(0)]);
    EXPECT_EQ(std::vector<HANDLE>{FakeUsbPrinters::HandleOf(0)}, system.closed);
    EXPECT_EQ(0, system.listOpen);

    std::vector<std::string> trace = {"usb001", "[KDate] Open Port Success!!\r\n"};
    for (const std::string& w : ExpectedWrites("20260301")) trace.push_back(w);
    EXPECT_EQ(trace, system.debug);
}

TEST(ServiceDateProgram, OnlyThePrinterOnTheNamedPortReceivesTheCommand) {
    FakeUsbPrinters system;
    system.interfaces = {{"dev1", 1UL}, {"dev2", 2UL}};
    system.year = 2026;
    system.month = 12;
    system.day = 24;
    EXPECT_EQ(0, RunServiceDate("USB002", system));

    EXPECT_EQ(std::vector<std::string>{"dev2\\PIPE00"}, system.pipesOpened);
    EXPECT_EQ(1u, system.writes.size());
    EXPECT_EQ(ExpectedWrites("20261224"), system.writes[FakeUsbPrinters::HandleOf(1)]);
}

// Every way of not finding a writable pipe ends the same: nothing sent, the trace line, 0.
TEST(ServiceDateProgram, NoPrinterFoundSendsNothingAndStillReturnsZero) {
    struct Case {
        const char* name;
        const char* commandLine;
        std::vector<StagedInterface> interfaces;
        bool listOpens = true;
        int enumerationErrorAt = -1;
    } cases[] = {
        {"no command line", "", {{"dev1", 1UL}}},
        {"null command line", nullptr, {{"dev1", 1UL}}},
        {"no printers", "USB001", {}},
        {"device list unavailable", "USB001", {{"dev1", 1UL}}, false},
        {"other port only", "USB001", {{"dev2", 2UL}}},
        {"quotes are not stripped", "\"USB001\"", {{"dev1", 1UL}}},
        {"blank around the name", " USB001", {{"dev1", 1UL}}},
        {"no port number", "USB001", {{"dev1", std::nullopt}}},
        {"device path does not open", "USB001", {{"dev1", 1UL, false}}},
        {"pipe does not open for writing", "USB001", {{"dev1", 1UL, true, false}}},
        {"enumeration error before the match", "USB001", {{"dev0", 5UL}, {"dev1", 1UL}}, true, 1},
        {"detail fails before the match", "USB001", {{"dev0", 5UL, true, true, true}, {"dev1", 1UL}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeUsbPrinters system;
        system.interfaces = c.interfaces;
        system.listOpens = c.listOpens;
        system.enumerationErrorAt = c.enumerationErrorAt;
        EXPECT_EQ(0, RunServiceDate(c.commandLine, system));
        EXPECT_TRUE(system.writes.empty());
        EXPECT_TRUE(system.closed.empty());
        EXPECT_EQ(0, system.listOpen);
        ASSERT_FALSE(system.debug.empty());
        EXPECT_EQ("hPort : INVALID_HANDLE_VALUE", system.debug.back());
    }
}

TEST(FindUsbPrinterPort, SkipsAMatchingDeviceThatDoesNotOpenAndTakesTheNext) {
    FakeUsbPrinters system;
    system.interfaces = {{"stale", 1UL, false}, {"live", 1UL}};
    EXPECT_EQ(FakeUsbPrinters::HandleOf(1), FindUsbPrinterPort("USB001", system));
    EXPECT_EQ((std::vector<std::string>{"stale", "live"}), system.probed);
    EXPECT_EQ(0, system.listOpen);
}

TEST(FindUsbPrinterPort, LooksAtNoMoreThan256Interfaces) {
    FakeUsbPrinters system;
    for (unsigned long i = 0; i < 257; ++i) system.interfaces.push_back({"dev" + std::to_string(i), 1000 + i});
    EXPECT_EQ(FakeUsbPrinters::HandleOf(255), FindUsbPrinterPort("USB1255", system));
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindUsbPrinterPort("USB1256", system));
    EXPECT_TRUE(system.pipesOpened.size() == 1);
}

TEST(FindUsbPrinterPort, PortNumbersAboveThreeDigitsAreNotPadded) {
    FakeUsbPrinters system;
    system.interfaces = {{"dev0", 12UL}, {"dev1", 1234UL}};
    EXPECT_EQ(FakeUsbPrinters::HandleOf(0), FindUsbPrinterPort("USB012", system));
    EXPECT_EQ(FakeUsbPrinters::HandleOf(1), FindUsbPrinterPort("usb1234", system));
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindUsbPrinterPort("USB12", system));
}

}  // namespace
}  // namespace servicedate
