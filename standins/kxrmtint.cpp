// Remote-install module: receives the install request; whether the remote computer
// "installs" comes from the simulation file.
#include "standin.h"

#include <cstring>

namespace {

using standin::Arg;

constexpr std::size_t kFieldSize = 256;

// A request field may fill its 256 bytes without a terminating NUL.
std::string Field(const char* request, int index) {
    const char* field = request + index * kFieldSize;
    return std::string(field, strnlen(field, kFieldSize));
}

}  // namespace

// request: eight fields of 256 bytes (remote address, local address, user, password, domain,
// source folder, registry file, command line). The password is logged as its length only.
// Result: [REMOTE] <address>, else [REMOTE] Result, else 0 (nobody answered).
STANDIN_EXPORT int WINAPI DoRemoteInstall(const char* request) {
    if (!request) {
        standin::CallLog("DoRemoteInstall", {});
        return 0;
    }
    const std::string address = Field(request, 0);
    standin::CallLog("DoRemoteInstall",
                     {address, Field(request, 1), Field(request, 2),
                      "password:" + std::to_string(Field(request, 3).size()), Field(request, 4), Field(request, 5),
                      Field(request, 6), Field(request, 7)});
    int fallback = standin::SimNumber("REMOTE", "Result", 0);
    return address.empty() ? fallback : standin::SimNumber("REMOTE", address.c_str(), fallback);
}

// Looked up by Setup and never called.
STANDIN_EXPORT int WINAPI CheckRemoteAdmin(const char* computer) {
    standin::CallLog("CheckRemoteAdmin", {Arg(computer)});
    return 0;
}

STANDIN_EXPORT int WINAPI CheckLogonUser(const char* user, const char* password, const char* domain) {
    standin::CallLog("CheckLogonUser", {Arg(user), Arg(domain)});
    return 0;
}
