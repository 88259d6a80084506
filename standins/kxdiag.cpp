// Diagnosis and test-page module. The test pages are not printed (-1 lets Setup print the
// system's own); a print file is sent to the printer as it is.
#include "standin.h"

#include <winspool.h>

namespace {

using standin::Arg;

bool ReadWholeFile(const char* path, std::string& out) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
    if (ok) {
        out.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = out.empty() || (ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &read, nullptr) &&
                             read == out.size());
    }
    CloseHandle(file);
    return ok;
}

bool SendRaw(const char* printer, const std::string& data) {
    HANDLE handle = nullptr;
    if (!OpenPrinterA(const_cast<char*>(printer), &handle, nullptr)) return false;
    DOC_INFO_1A doc{};
    doc.pDocName = const_cast<char*>("Print file");
    doc.pDatatype = const_cast<char*>("RAW");
    bool ok = false;
    if (StartDocPrinterA(handle, 1, reinterpret_cast<BYTE*>(&doc))) {
        DWORD written = 0;
        ok = data.empty() || (WritePrinter(handle, const_cast<char*>(data.data()), static_cast<DWORD>(data.size()),
                                           &written) &&
                              written == data.size());
        ok = EndDocPrinter(handle) && ok;
    }
    ClosePrinter(handle);
    return ok;
}

}  // namespace

STANDIN_EXPORT int WINAPI Diagnosis(const char* mfg, const char* printer, const char* model, const char* vidPid) {
    standin::CallLog("Diagnosis", {Arg(mfg), Arg(printer), Arg(model), Arg(vidPid)});
    return standin::SimNumber("DIAG", "Diagnosis", 1);
}

// 1: go on.
STANDIN_EXPORT int WINAPI DiagnosisEx(const char* mfg, const char* printer, const char* model, const char* vidPid,
                                      int reserved) {
    standin::CallLog("DiagnosisEx", {Arg(mfg), Arg(printer), Arg(model), Arg(vidPid), Arg(reserved)});
    return standin::SimNumber("DIAG", "DiagnosisEx", 1);
}

STANDIN_EXPORT int WINAPI PrintTestPage(const char* printer, const char* p2, const char* p3, const char* resource,
                                        const char* p4) {
    standin::CallLog("PrintTestPage", {Arg(printer), Arg(p2), Arg(p3), Arg(resource), Arg(p4)});
    return standin::SimNumber("DIAG", "PrintTestPage", -1);
}

STANDIN_EXPORT int WINAPI MetaTestPage(const char* printer, const char* file) {
    standin::CallLog("MetaTestPage", {Arg(printer), Arg(file)});
    return standin::SimNumber("DIAG", "MetaTestPage", -1);
}

// 1 when the file went to the printer, -1 otherwise.
STANDIN_EXPORT int WINAPI PrintPrnFile(const char* printer, const char* file) {
    standin::CallLog("PrintPrnFile", {Arg(printer), Arg(file)});
    std::string data;
    if (!printer || !file || !ReadWholeFile(file, data)) return -1;
    return SendRaw(printer, data) ? 1 : -1;
}
