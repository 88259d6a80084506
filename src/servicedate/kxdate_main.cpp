// KXDate: writes today's date into a USB printer as its service date. No window, no
// message loop; the command line is the port name ("USB001").
#include "servicedate/service_date_program.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return servicedate::RunServiceDate(commandLine, servicedate::RealUsbPrinterSystem());
}
