#include "environment/global.h"

#include "environment/log.h"

namespace {

constexpr const char* kOptionSection = "OPTION";

// Switches that change only when their key is present, with the words of their log line.
struct OptionalSwitch {
    const char* key;
    unsigned char OPTION_RECORD::*field;
    const char* logText;  // followed by " ON" or " OFF"
};

const OptionalSwitch kOptionalSwitches[] = {
    {"DEVICE_INSTALL", &OPTION_RECORD::deviceInstall, "INSTALL DEVICE Option is"},
    {"SHOW_INST_ERROR", &OPTION_RECORD::showInstError, "SHOW INSTALL ERROR Option is"},
    {"PRECREATE_DLG", &OPTION_RECORD::precreateDlg, "PRECREATE DIALOG option is"},
    {"MAIN_ONLY", &OPTION_RECORD::mainOnly, "JUST MAIN option is"},
    {"AUTO_PRINTER_CMD", &OPTION_RECORD::autoPrinterCmd, "AUTO PRINTER COMMAND option is"},
    {"SET_SOURCE_PATH", &OPTION_RECORD::setSourcePath, "SET SOURCE PATH option is"},
    {"USE_PUBLIC_OID", &OPTION_RECORD::usePublicOid, "USE PUBLIC OID option is"},
    {"USE_IPX", &OPTION_RECORD::useIpx, "USE IPX option is"},
    {"STOP_FIREWALL", &OPTION_RECORD::stopFirewall, "Stop Firewall option is"},
    {"AGFA", &OPTION_RECORD::agfa, "AGFA option is"},
};

const char* OnOff(unsigned char value) { return value ? "ON" : "OFF"; }

}  // namespace

bool CGlobal::ReadOptionSwitch(const std::string& section, const char* key, unsigned char& value) const {
    unsigned long number = 0;
    if (!dataSet_.GetDword(section.c_str(), key, &number) && !dataSet_.GetDword(kOptionSection, key, &number))
        return false;
    value = number != 0 ? 1 : 0;
    return true;
}

void CGlobal::ReadOptions() {
    std::string section;
    if (!dataSet_.FindSection(kOptionSection, section)) {
        LogWrite("Get Option fail");
        section = kOptionSection;
    }

    // These two are always set: absent means off.
    unsigned char usbOnly = 0, network = 0;
    ReadOptionSwitch(section, "USB_ONLY", usbOnly);
    ReadOptionSwitch(section, "NETWORK", network);
    options_.usbOnly = usbOnly;
    options_.network = network;
    LogWrite("USB ONLY Option is %s", OnOff(options_.usbOnly));
    LogWrite("NETWORK Option is %s", OnOff(options_.network));

    for (const OptionalSwitch& option : kOptionalSwitches) {
        unsigned char value = 0;
        if (!ReadOptionSwitch(section, option.key, value)) continue;
        options_.*option.field = value;
        if (option.field == &OPTION_RECORD::agfa) options_.agfaGiven = 1;
        LogWrite("%s %s", option.logText, OnOff(value));
    }

    unsigned char rightAlign = 0;
    if (!setup::RightToLeftUnsupported(facts_.version)) ReadOptionSwitch(section, "RIGHT_ALIGN", rightAlign);
    options_.rightAlign = rightAlign;
    LogWrite("RIGHT ALIGN Option is %s", OnOff(options_.rightAlign));
}
