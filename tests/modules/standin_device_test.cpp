// The stand-ins' simulated hardware: connected devices and printers on the network.
#include "standin_fixture.h"

#include <cstring>

namespace {

class StandinDeviceTest : public standin_test::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        LoadBuiltStandins();
    }
};

constexpr const char* kDevices =
    "[USB]\r\nCount=3\r\n"
    "[USB.0]\r\nMFG=Orvane\r\nMDL=FS-1\r\nVIDPID=VID_0482&PID_0001\r\nPort=USB001\r\nDeviceID=MFG:Orvane;MDL:FS-1;\r\n"
    "[USB.1]\r\nMFG=Other\r\nMDL=X-9\r\nVIDPID=VID_1111&PID_0009\r\nPort=USB002\r\n"
    "[USB.2]\r\nMFG=orvane\r\nMDL=fs-1\r\nPort=LPT1\r\n";

TEST_F(StandinDeviceTest, GetDevicePortListsThePortsOfTheModelFromTheSimulation) {
    struct Case {
        const char* name;
        const char* simulation;  // nullptr: no simulation file
        const char* vidPid;
        long count;
        std::string ports;  // NUL-separated
    };
    const Case cases[] = {
        {"no simulation file", nullptr, "VID_0482&PID_0001", 0, std::string("\0", 1)},
        {"by model and by VID/PID", kDevices, "VID_0482&PID_0001", 2, std::string("USB001\0LPT1\0\0", 13)},
        {"by model only", kDevices, "", 2, std::string("USB001\0LPT1\0\0", 13)},
        {"USB switched off", "[USB]\r\nAvailable=0\r\n", "VID_0482&PID_0001", -1, std::string("\0", 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(SimPath().c_str());
        if (c.simulation) WriteSim(c.simulation);
        char port[260];
        std::memset(port, 'x', sizeof(port));
        unsigned long count = 99;
        EXPECT_TRUE(table_->GetDevicePort("Orvane", "FS-1", c.vidPid, port, &count));
        EXPECT_EQ(static_cast<long>(count), c.count);
        EXPECT_EQ(std::string(port, c.ports.size()), c.ports);
    }
}

// However many devices there are, the port names stop within the 260-byte buffer.
TEST_F(StandinDeviceTest, PortNamesNeverOverrunTheBuffer) {
    std::string sim = "[USB]\r\nCount=40\r\n";
    for (int i = 0; i < 40; ++i)
        sim += "[USB." + std::to_string(i) + "]\r\nMFG=Orvane\r\nMDL=FS-1\r\nPort=USBPORT" + std::to_string(100 + i) + "\r\n";
    WriteSim(sim);
    char port[260 + 16];
    std::memset(port, 'x', sizeof(port));
    unsigned long count = 0;
    EXPECT_TRUE(table_->GetDevicePort("Orvane", "FS-1", "", port, &count));
    EXPECT_EQ(count, 23u);  // 23 names of 10 characters and their NULs, and the final NUL
    EXPECT_EQ(std::string(port + 260, 16), std::string(16, 'x'));
}

TEST_F(StandinDeviceTest, DeviceIdComesFromTheDeviceOnThePort) {
    WriteSim(kDevices);
    char id[260] = "untouched";
    EXPECT_EQ(table_->MyGetDeviceIDFromPort("usb001", id), 1);
    EXPECT_STREQ(id, "MFG:Orvane;MDL:FS-1;");
    std::strcpy(id, "untouched");
    EXPECT_EQ(table_->MyGetDeviceIDFromPort("USB002", id), 0);  // a device that gives no ID
    EXPECT_EQ(table_->MyGetDeviceIDFromPort("USB009", id), 0);
    EXPECT_STREQ(id, "untouched");
}

constexpr const char* kNetwork =
    "[NETWORK]\r\nCount=2\r\n"
    "[NETWORK.0]\r\nName=FS-1 office\r\nMAC=00:12:AB:34:CD:56\r\nIP=10.0.0.5\r\nSubnet=255.255.255.0\r\n"
    "Gateway=10.0.0.1\r\nDescription=Orvane FS-1 KX\r\n"
    "[NETWORK.1]\r\nName=A printer name that is longer than forty bytes\r\nMAC=A0B1C2D3E4F5\r\nIP=192.168.1.20\r\n"
    "Subnet=255.255.0.0\r\nGateway=192.168.0.254\r\nDescription=Other X-9\r\n";

// The 65-byte records: 7 unused bytes, a 40-byte name, MAC, IP, subnet mask, gateway.
TEST_F(StandinDeviceTest, GetNetPrinterCountsThenFillsPackedRecords) {
    WriteSim(kNetwork);
    unsigned long size = 0;
    int count = 0;
    ASSERT_EQ(table_->GetNetPrinter(nullptr, &size, &count), 0);
    ASSERT_EQ(count, 2);

    std::vector<unsigned char> records(3 * 65, 0xEE);
    size = static_cast<unsigned long>(records.size());
    count = 0;
    ASSERT_EQ(table_->GetNetPrinter(records.data(), &size, &count), 0);
    ASSERT_EQ(count, 2);
    const unsigned char* first = records.data();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first + 7)), "FS-1 office");
    const unsigned char mac[] = {0x00, 0x12, 0xAB, 0x34, 0xCD, 0x56};
    const unsigned char addresses[] = {10, 0, 0, 5, 255, 255, 255, 0, 10, 0, 0, 1};
    EXPECT_EQ(std::memcmp(first + 47, mac, 6), 0);
    EXPECT_EQ(std::memcmp(first + 53, addresses, 12), 0);
    const unsigned char* second = records.data() + 65;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(second + 7), 40), "A printer name that is longer than forty");
    EXPECT_EQ(second[47], 0xA0);
    const unsigned char secondIp[] = {192, 168, 1, 20};
    EXPECT_EQ(std::memcmp(second + 53, secondIp, 4), 0);
    EXPECT_EQ(records[130], 0xEE);  // the third record's room is left alone

    // A buffer for one record gets one.
    size = 65;
    ASSERT_EQ(table_->GetNetPrinter(records.data(), &size, &count), 0);
    EXPECT_EQ(count, 1);
}

TEST_F(StandinDeviceTest, WithoutPrintersGetNetPrinterFails) {
    unsigned long size = 0;
    int count = 7;
    EXPECT_EQ(table_->GetNetPrinter(nullptr, &size, &count), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(table_->GetNetPrinter(nullptr, nullptr, nullptr), 1);
}

// SetIP moves the printer with that MAC; the next search finds it at its new address.
TEST_F(StandinDeviceTest, SetIpChangesThePrinterWithThatMac) {
    WriteSim(kNetwork);
    EXPECT_EQ(table_->SetIP("10.0.0.77", "10.0.0.254", "255.255.0.0", "0012AB34CD56"), 0u);
    char description[16384] = {};
    EXPECT_EQ(table_->MyGetPrinterDesc("10.0.0.77", description, 0), 0u);
    EXPECT_STREQ(description, "Orvane FS-1 KX");
    EXPECT_EQ(table_->MyGetPrinterDesc("10.0.0.5", description, 0), 1u);

    EXPECT_EQ(table_->SetIP("10.0.0.78", "10.0.0.254", "255.255.0.0", "FFFFFFFFFFFF"),
              static_cast<unsigned long>(ERROR_NOT_FOUND));
    EXPECT_EQ(table_->SetIP("10.0.0.300", "10.0.0.254", "255.255.0.0", "0012AB34CD56"),
              static_cast<unsigned long>(ERROR_INVALID_PARAMETER));
    WriteSim(std::string(kNetwork) + "[SETIP]\r\nResult=5\r\n");
    EXPECT_EQ(table_->SetIP("10.0.0.79", "10.0.0.254", "255.255.0.0", "0012AB34CD56"), 5u);
}

TEST_F(StandinDeviceTest, NetworkPortsNeedANameAndAWellFormedAddress) {
    EXPECT_EQ(table_->MySetNetworkPort("IP_10.0.0.5", "10.0.0.5", "Mon", "mon.dll", "Mutex", 0), 1);
    EXPECT_EQ(table_->MySetNetworkPort("", "10.0.0.5", "Mon", "mon.dll", "Mutex", 0), 0);
    EXPECT_EQ(table_->MySetNetworkPortEx("IP_x", "10.0.0", "", "", "Mon", "", "Mutex", 0), 0);
    WriteSim("[PORTS]\r\nResult=0\r\n");
    EXPECT_EQ(table_->MySetNetworkPort("IP_10.0.0.5", "10.0.0.5", "Mon", "mon.dll", "Mutex", 0), 0);
    EXPECT_EQ(table_->MyDelNetworkPort("IP_10.0.0.5", "Mutex", 0), 1);
    EXPECT_EQ(CallLines().back(), "MyDelNetworkPort(IP_10.0.0.5,Mutex,0)");
}

}  // namespace
