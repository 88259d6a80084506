#include "common/unique_handle.h"
#include "fileops/system_utils.h"

namespace setup {
namespace {

struct ServiceGoal {
    DWORD pendingState;  // keep waiting while the service reports this
    DWORD finalState;
};

constexpr ServiceGoal kRunning{SERVICE_START_PENDING, SERVICE_RUNNING};
constexpr ServiceGoal kStopped{SERVICE_STOP_PENDING, SERVICE_STOPPED};

void Report(unsigned long* state, DWORD value) {
    if (state != nullptr) *state = value;
}

DWORD OpenNamedService(const char* name, DWORD managerAccess, DWORD serviceAccess, UniqueService& manager,
                  UniqueService& service) {
    if (name == nullptr) return ERROR_INVALID_PARAMETER;
    manager.reset(OpenSCManagerA(nullptr, nullptr, managerAccess));
    if (!manager) return GetLastError();
    service.reset(OpenServiceA(manager.get(), name, serviceAccess));
    if (!service) return GetLastError();
    return ERROR_SUCCESS;
}

// Sleeps a tenth of the wait hint (100 ms to 1 s) between queries; gives up once the hint has
// passed without the check point advancing.
DWORD WaitWhilePending(SC_HANDLE service, DWORD pendingState, SERVICE_STATUS& status) {
    DWORD lastCheckPoint = status.dwCheckPoint;
    DWORD clock = GetTickCount();
    while (status.dwCurrentState == pendingState) {
        DWORD pause = status.dwWaitHint / 10;
        Sleep(pause < 100 ? 100 : pause > 1000 ? 1000 : pause);
        if (!QueryServiceStatus(service, &status)) return GetLastError();
        if (status.dwCheckPoint > lastCheckPoint) {
            lastCheckPoint = status.dwCheckPoint;
            clock = GetTickCount();
        } else if (GetTickCount() - clock > status.dwWaitHint) {
            break;
        }
    }
    return ERROR_SUCCESS;
}

template <typename Request>
unsigned long ChangeServiceState(const char* name, unsigned long* state, const ServiceGoal& goal, Request request) {
    UniqueService manager, service;
    if (DWORD error = OpenNamedService(name, SC_MANAGER_ALL_ACCESS, SERVICE_ALL_ACCESS, manager, service)) return error;

    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service.get(), &status)) return GetLastError();
    if (status.dwCurrentState == goal.finalState) {
        Report(state, goal.finalState);
        return ERROR_SUCCESS;
    }
    if (!request(service.get(), status)) return GetLastError();
    if (!QueryServiceStatus(service.get(), &status)) return GetLastError();

    DWORD error = WaitWhilePending(service.get(), goal.pendingState, status);
    Report(state, status.dwCurrentState);
    if (error != ERROR_SUCCESS) return error;
    return status.dwCurrentState == goal.finalState ? ERROR_SUCCESS : ERROR_INVALID_SERVICE_CONTROL;
}

}  // namespace

unsigned long StartServiceAndWait(const char* name, unsigned long* state) {
    return ChangeServiceState(name, state, kRunning,
                              [](SC_HANDLE service, SERVICE_STATUS&) { return StartServiceA(service, 0, nullptr) != FALSE; });
}

unsigned long StopServiceAndWait(const char* name, unsigned long* state) {
    return ChangeServiceState(name, state, kStopped, [](SC_HANDLE service, SERVICE_STATUS& status) {
        return ControlService(service, SERVICE_CONTROL_STOP, &status) != FALSE;
    });
}

unsigned long QueryServiceState(const char* name, unsigned long* state) {
    if (state == nullptr) return ERROR_INVALID_PARAMETER;
    UniqueService manager, service;
    if (DWORD error = OpenNamedService(name, SC_MANAGER_CONNECT, SERVICE_QUERY_STATUS, manager, service)) return error;
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service.get(), &status)) return GetLastError();
    *state = status.dwCurrentState;
    return ERROR_SUCCESS;
}

}  // namespace setup
