#pragma once
// Shared by the stand-in modules: exports, the simulation file that plays the hardware, and
// the call log through which tests see what was called with which arguments.
#include <windows.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

// Exported by its plain name (the i686 build links with --kill-at), standard calling convention.
#define STANDIN_EXPORT extern "C" __declspec(dllexport)

namespace standin {

// The simulation file: %SETUP_STANDIN_SIM%, else "standin-sim.ini" beside the module.
std::string SimulationPath();
bool SimulationExists();
std::string SimText(const char* section, const char* key, const char* fallback = "");
int SimNumber(const char* section, const char* key, int fallback);
bool SimHasKey(const char* section, const char* key);
void SimWrite(const char* section, const char* key, const std::string& value);

struct UsbDevice {
    std::string mfg, mdl, vidPid, port, deviceId;
};
struct NetworkPrinter {
    std::string section, name, mac, ip, subnet, gateway, description, ipx;
};
std::vector<UsbDevice> UsbDevices();
std::vector<NetworkPrinter> NetworkPrinters();

// One line "Name(arg,arg,...)" appended to %SETUP_STANDIN_LOG% when it is set.
void CallLog(const char* function, std::initializer_list<std::string> arguments);
std::string Arg(const char* text);  // "" for a null pointer
std::string Arg(long number);

// Copies text into a caller's buffer of the given capacity, cut and always terminated.
void CopyOut(char* buffer, std::size_t capacity, const std::string& text);
bool EqualNoCase(const std::string& a, const std::string& b);
// "a.b.c.d" with four parts 0..255.
bool ParseIpv4(const std::string& text, unsigned char out[4]);

}  // namespace standin
