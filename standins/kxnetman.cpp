// Network module: TCP/IP ports and the description a printer gives of itself (simulated).
#include "standin.h"

namespace {

using standin::Arg;

const standin::NetworkPrinter* FindByIp(const std::vector<standin::NetworkPrinter>& printers, const char* ip) {
    for (const standin::NetworkPrinter& printer : printers)
        if (ip && standin::EqualNoCase(printer.ip, ip)) return &printer;
    return nullptr;
}

// A port needs a name and a well-formed address, not an answering printer; [PORTS] Result
// forces the answer.
int PortResult(const char* port, const char* ip) {
    unsigned char address[4];
    if (!port || !*port || !ip || !standin::ParseIpv4(ip, address)) return 0;
    return standin::SimNumber("PORTS", "Result", 1);
}

}  // namespace

STANDIN_EXPORT int WINAPI MySetNetworkPort(const char* port, const char* ip, const char* monitorName,
                                           const char* monitorFile, const char* mutexName, int noMonitor) {
    standin::CallLog("MySetNetworkPort",
                     {Arg(port), Arg(ip), Arg(monitorName), Arg(monitorFile), Arg(mutexName), Arg(noMonitor)});
    return PortResult(port, ip);
}

STANDIN_EXPORT int WINAPI MySetNetworkPortEx(const char* port, const char* ip, const char* mac, const char* ipx,
                                             const char* monitorName, const char* monitorFile, const char* mutexName,
                                             int noMonitor) {
    standin::CallLog("MySetNetworkPortEx", {Arg(port), Arg(ip), Arg(mac), Arg(ipx), Arg(monitorName),
                                            Arg(monitorFile), Arg(mutexName), Arg(noMonitor)});
    return PortResult(port, ip);
}

STANDIN_EXPORT int WINAPI MyDelNetworkPort(const char* port, const char* mutexName, int noMonitor) {
    standin::CallLog("MyDelNetworkPort", {Arg(port), Arg(mutexName), Arg(noMonitor)});
    return port && *port ? 1 : 0;
}

// 0 and the description (at most 16383 characters) when a printer answers at the address;
// 1 (no answer) otherwise.
STANDIN_EXPORT unsigned long WINAPI MyGetPrinterDesc(const char* ip, char* description, int usePublicOid) {
    standin::CallLog("MyGetPrinterDesc", {Arg(ip), Arg(usePublicOid)});
    const auto printers = standin::NetworkPrinters();
    const standin::NetworkPrinter* printer = FindByIp(printers, ip);
    if (!printer || !description) return 1;
    standin::CopyOut(description, 16384, printer->description);
    return 0;
}

// The printer's IPX address (at most 259 characters); 0 when it has none.
STANDIN_EXPORT int WINAPI MyGetIPX(const char* ip, char* ipx) {
    standin::CallLog("MyGetIPX", {Arg(ip)});
    const auto printers = standin::NetworkPrinters();
    const standin::NetworkPrinter* printer = FindByIp(printers, ip);
    if (!printer || printer->ipx.empty() || !ipx) return 0;
    standin::CopyOut(ipx, 260, printer->ipx);
    return 1;
}

// Looked up by Setup and never called.
STANDIN_EXPORT int WINAPI GetNetworkPrinter(void* records, unsigned long* size) {
    standin::CallLog("GetNetworkPrinter", {});
    return 0;
}

STANDIN_EXPORT int WINAPI MyDelNetworkMonitor(const char* monitorName) {
    standin::CallLog("MyDelNetworkMonitor", {Arg(monitorName)});
    return 0;
}

STANDIN_EXPORT int WINAPI MyVerifyPrinter(const char* ip) {
    standin::CallLog("MyVerifyPrinter", {Arg(ip)});
    return 0;
}
