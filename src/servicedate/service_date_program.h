#pragma once
#include "servicedate/usb_printer_system.h"

namespace servicedate {

// The whole run of KXDate for one command line: finds the printer on that USB port and
// writes today's date as its service date. Always 0: the only trace is debugger output.
int RunServiceDate(const char* commandLine, UsbPrinterSystem& system);

}  // namespace servicedate
