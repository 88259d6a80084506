#pragma once
#include "servicedate/usb_printer_system.h"

namespace servicedate {

// The data pipe ("<device path>\PIPE00", opened for writing) of the USB printer whose port
// name "USB%03d" equals portName ignoring case; INVALID_HANDLE_VALUE when none matches or
// anything in the lookup fails. At most 256 interfaces are looked at.
HANDLE FindUsbPrinterPort(const char* portName, UsbPrinterSystem& system);

}  // namespace servicedate
