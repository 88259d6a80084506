#pragma once
// System functions that not every supported Windows has, bound by name at run time.
// Each wrapper calls the bound function with the caller's arguments, or returns 0 (the
// failure value of each of them) when the library or export is missing or the table was
// never bound. Exported by Setup.exe under this name.
#include "common/export.h"

#include <windows.h>
#include <setupapi.h>
#include <winnetwk.h>
#include <lmcons.h>
#include <lmwksta.h>

class SETUP_API CAPIFunction {
public:
    CAPIFunction();
    // A copy holds its own reference to every library the original holds, so each object
    // frees only what it took; the bound functions stay valid for both.
    CAPIFunction(const CAPIFunction& other);
    CAPIFunction& operator=(const CAPIFunction& other);
    virtual ~CAPIFunction();

    // Loads the libraries from the system folder and takes their functions; always true.
    // Binding again first releases what the table held.
    bool Bind();

    // Device connection wait.
    HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, LPVOID filter, DWORD flags);
    BOOL UnregisterDeviceNotification(HDEVNOTIFY handle);
    DWORD CMP_WaitNoPendingInstallEvents(DWORD timeout);

    // INF checks.
    HINF SetupOpenInfFileA(PCSTR fileName, PCSTR infClass, DWORD infStyle, PUINT errorLine);
    void SetupCloseInfFile(HINF inf);
    BOOL SetupGetInfInformationA(LPCVOID infSpec, DWORD searchControl, PSP_INF_INFORMATION buffer,
                                 DWORD bufferSize, PDWORD requiredSize);
    BOOL SetupQueryInfVersionInformationA(PSP_INF_INFORMATION information, UINT infIndex, PCSTR key,
                                          PSTR buffer, DWORD bufferSize, PDWORD requiredSize);

    // Registry key permissions.
    BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision);
    BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE subAuthorityCount,
                                  DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4,
                                  DWORD sub5, DWORD sub6, DWORD sub7, PSID* sid);
    BOOL InitializeAcl(PACL acl, DWORD length, DWORD revision);
    BOOL AddAccessAllowedObjectAce(PACL acl, DWORD revision, DWORD flags, DWORD mask, GUID* objectType,
                                   GUID* inheritedObjectType, PSID sid);
    BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL present, PACL dacl, BOOL defaulted);
    BOOL SetSecurityDescriptorControl(PSECURITY_DESCRIPTOR descriptor, SECURITY_DESCRIPTOR_CONTROL mask,
                                      SECURITY_DESCRIPTOR_CONTROL bits);
    PVOID FreeSid(PSID sid);

    // Drawing and files.
    BOOL GradientFill(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount, ULONG mode);
    BOOL MoveFileExA(LPCSTR existing, LPCSTR target, DWORD flags);

    enum Library { kMpr, kMsimg32, kKernel32, kUser32, kSetupApi, kNetapi32, kAdvapi32, kSpare, kLibraryCount };
    HMODULE LibraryHandle(Library library) const { return libraries_[library]; }

    // Every bound function, in the order of the binding table.
    enum Function {
        fnWNetAddConnection2A,
        fnGradientFill,
        fnGetDiskFreeSpaceExA,
        fnMoveFileExA,
        fnRegisterDeviceNotificationA,
        fnUnregisterDeviceNotification,
        fnGetWindowModuleFileNameA,
        fnSetupDiEnumDeviceInterfaces,
        fnSetupDiGetDeviceInterfaceDetailA,
        fnSetupDiOpenDeviceInterfaceRegKey,
        fnSetupDiGetClassDevsA,
        fnSetupDiDestroyDeviceInfoList,
        fnSetupDiEnumDeviceInfo,
        fnSetupDiGetDeviceRegistryPropertyA,
        fnSetupDiSetDeviceRegistryPropertyA,
        fnSetupDiRemoveDevice,
        fnSetupOpenInfFileA,
        fnSetupGetLineByIndexA,
        fnSetupGetStringFieldA,
        fnSetupCloseInfFile,
        fnSetupGetLineCountA,
        fnSetupGetInfFileListA,
        fnSetupGetInfInformationA,
        fnSetupQueryInfFileInformationA,
        fnSetupQueryInfVersionInformationA,
        fnCMP_WaitNoPendingInstallEvents,
        fnNetWkstaGetInfo,
        fnInitializeSecurityDescriptor,
        fnAllocateAndInitializeSid,
        fnInitializeAcl,
        fnAddAccessAllowedObjectAce,
        fnSetSecurityDescriptorDacl,
        fnSetSecurityDescriptorControl,
        fnFreeSid,
        kFunctionCount
    };
    // Lets callers choose another way when a function is missing (e.g. no gradient drawing).
    bool IsBound(Function function) const { return functions_[function] != nullptr; }

private:
    using AnyFunction = void (*)();
    // The function with its own signature, or null.
    template <typename Signature>
    Signature Get(Function function) const;

    void Release();
    void CopyFrom(const CAPIFunction& other);

    HMODULE libraries_[kLibraryCount] = {};
    AnyFunction functions_[kFunctionCount] = {};
};
