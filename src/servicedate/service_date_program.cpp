#include "servicedate/service_date_program.h"

#include "servicedate/pjl_service_date.h"
#include "servicedate/usb_printer_port.h"

namespace servicedate {
namespace {

void SendAndEcho(UsbPrinterSystem& system, HANDLE port, const std::string& bytes) {
    system.Write(port, bytes);
    system.DebugOutput(bytes);
}

}  // namespace

int RunServiceDate(const char* commandLine, UsbPrinterSystem& system) {
    std::string portName = commandLine != nullptr ? commandLine : "";
    system.DebugOutput(portName);

    const std::string uel = UelSequence();
    int year = 0, month = 0, day = 0;
    system.LocalDate(year, month, day);

    HANDLE port = FindUsbPrinterPort(portName.c_str(), system);
    if (port == INVALID_HANDLE_VALUE) {
        system.DebugOutput("hPort : INVALID_HANDLE_VALUE");
        return 0;
    }
    system.DebugOutput("[KDate] Open Port Success!!\r\n");
    // The printer gives no answer worth reading back: write results are not checked.
    SendAndEcho(system, port, uel);
    SendAndEcho(system, port, ServiceDateLine(year, month, day));
    SendAndEcho(system, port, uel);
    system.Close(port);
    return 0;
}

}  // namespace servicedate
