#include "modules/api_function.h"

#include <string>

namespace {

// Not declared by the platform headers; exported by SetupAPI on the systems that have it.
using CmpWaitNoPendingInstallEvents = DWORD(WINAPI*)(DWORD);

struct BoundFunction {
    CAPIFunction::Library library;
    const char* name;
};

// Indexed by CAPIFunction::Function; libraries load in the order of CAPIFunction::Library.
constexpr BoundFunction kFunctions[CAPIFunction::kFunctionCount] = {
    {CAPIFunction::kMpr, "WNetAddConnection2A"},
    {CAPIFunction::kMsimg32, "GradientFill"},
    {CAPIFunction::kKernel32, "GetDiskFreeSpaceExA"},
    {CAPIFunction::kKernel32, "MoveFileExA"},
    {CAPIFunction::kUser32, "RegisterDeviceNotificationA"},
    {CAPIFunction::kUser32, "UnregisterDeviceNotification"},
    {CAPIFunction::kUser32, "GetWindowModuleFileNameA"},
    {CAPIFunction::kSetupApi, "SetupDiEnumDeviceInterfaces"},
    {CAPIFunction::kSetupApi, "SetupDiGetDeviceInterfaceDetailA"},
    {CAPIFunction::kSetupApi, "SetupDiOpenDeviceInterfaceRegKey"},
    {CAPIFunction::kSetupApi, "SetupDiGetClassDevsA"},
    {CAPIFunction::kSetupApi, "SetupDiDestroyDeviceInfoList"},
    {CAPIFunction::kSetupApi, "SetupDiEnumDeviceInfo"},
    {CAPIFunction::kSetupApi, "SetupDiGetDeviceRegistryPropertyA"},
    {CAPIFunction::kSetupApi, "SetupDiSetDeviceRegistryPropertyA"},
    {CAPIFunction::kSetupApi, "SetupDiRemoveDevice"},
    {CAPIFunction::kSetupApi, "SetupOpenInfFileA"},
    {CAPIFunction::kSetupApi, "SetupGetLineByIndexA"},
    {CAPIFunction::kSetupApi, "SetupGetStringFieldA"},
    {CAPIFunction::kSetupApi, "SetupCloseInfFile"},
    {CAPIFunction::kSetupApi, "SetupGetLineCountA"},
    {CAPIFunction::kSetupApi, "SetupGetInfFileListA"},
    {CAPIFunction::kSetupApi, "SetupGetInfInformationA"},
    {CAPIFunction::kSetupApi, "SetupQueryInfFileInformationA"},
    {CAPIFunction::kSetupApi, "SetupQueryInfVersionInformationA"},
    {CAPIFunction::kSetupApi, "CMP_WaitNoPendingInstallEvents"},
    {CAPIFunction::kNetapi32, "NetWkstaGetInfo"},
    {CAPIFunction::kAdvapi32, "InitializeSecurityDescriptor"},
    {CAPIFunction::kAdvapi32, "AllocateAndInitializeSid"},
    {CAPIFunction::kAdvapi32, "InitializeAcl"},
    {CAPIFunction::kAdvapi32, "AddAccessAllowedObjectAce"},
    {CAPIFunction::kAdvapi32, "SetSecurityDescriptorDacl"},
    {CAPIFunction::kAdvapi32, "SetSecurityDescriptorControl"},
    {CAPIFunction::kAdvapi32, "FreeSid"},
};

// The eighth slot is kept empty.
constexpr const char* kLibraryNames[CAPIFunction::kLibraryCount] = {
    "MPR.dll", "Msimg32.dll", "Kernel32.dll", "User32.dll", "SetupAPI.dll", "Netapi32.dll", "ADVAPI32.dll", nullptr,
};

// Loaded by full path from the system folder, so a same-named DLL beside the program or in
// the current folder is never picked up.
HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    path += name;
    return LoadLibraryA(path.c_str());
}

// One more reference to a module already loaded, so that each holder frees its own.
HMODULE AddModuleReference(HMODULE module) {
    if (!module) return nullptr;
    HMODULE again = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(module), &again))
        return nullptr;
    return again;
}

}  // namespace

CAPIFunction::CAPIFunction() = default;

CAPIFunction::CAPIFunction(const CAPIFunction& other) {
    CopyFrom(other);
}

CAPIFunction& CAPIFunction::operator=(const CAPIFunction& other) {
    if (this != &other) {
        Release();
        CopyFrom(other);
    }
    return *this;
}

CAPIFunction::~CAPIFunction() {
    Release();
}

void CAPIFunction::Release() {
    for (HMODULE& module : libraries_) {
        if (module) FreeLibrary(module);
        module = nullptr;
    }
    for (AnyFunction& function : functions_) function = nullptr;
}

void CAPIFunction::CopyFrom(const CAPIFunction& other) {
    for (int i = 0; i < kLibraryCount; ++i) libraries_[i] = AddModuleReference(other.libraries_[i]);
    // A function stays valid only while this object holds its library.
    for (int i = 0; i < kFunctionCount; ++i)
        functions_[i] = libraries_[kFunctions[i].library] ? other.functions_[i] : nullptr;
}

bool CAPIFunction::Bind() {
    Release();
    for (int library = 0; library < kLibraryCount; ++library) {
        if (!kLibraryNames[library]) continue;
        HMODULE module = LoadSystemLibrary(kLibraryNames[library]);
        libraries_[library] = module;
        if (!module) continue;
        for (int i = 0; i < kFunctionCount; ++i) {
            if (kFunctions[i].library != library) continue;
            // Through the generic function type, which converts to any signature without warning.
            functions_[i] = reinterpret_cast<AnyFunction>(GetProcAddress(module, kFunctions[i].name));
        }
    }
    return true;
}

template <typename Signature>
Signature CAPIFunction::Get(Function function) const {
    return reinterpret_cast<Signature>(functions_[function]);
}

HDEVNOTIFY CAPIFunction::RegisterDeviceNotificationA(HANDLE recipient, LPVOID filter, DWORD flags) {
    auto f = Get<decltype(&::RegisterDeviceNotificationA)>(fnRegisterDeviceNotificationA);
    return f ? f(recipient, filter, flags) : nullptr;
}

BOOL CAPIFunction::UnregisterDeviceNotification(HDEVNOTIFY handle) {
    auto f = Get<decltype(&::UnregisterDeviceNotification)>(fnUnregisterDeviceNotification);
    return f ? f(handle) : FALSE;
}

DWORD CAPIFunction::CMP_WaitNoPendingInstallEvents(DWORD timeout) {
    auto f = Get<CmpWaitNoPendingInstallEvents>(fnCMP_WaitNoPendingInstallEvents);
    return f ? f(timeout) : 0;
}

HINF CAPIFunction::SetupOpenInfFileA(PCSTR fileName, PCSTR infClass, DWORD infStyle, PUINT errorLine) {
    auto f = Get<decltype(&::SetupOpenInfFileA)>(fnSetupOpenInfFileA);
    return f ? f(fileName, infClass, infStyle, errorLine) : nullptr;
}

void CAPIFunction::SetupCloseInfFile(HINF inf) {
    auto f = Get<decltype(&::SetupCloseInfFile)>(fnSetupCloseInfFile);
    if (f) f(inf);
}

BOOL CAPIFunction::SetupGetInfInformationA(LPCVOID infSpec, DWORD searchControl, PSP_INF_INFORMATION buffer,
                                           DWORD bufferSize, PDWORD requiredSize) {
    auto f = Get<decltype(&::SetupGetInfInformationA)>(fnSetupGetInfInformationA);
    return f ? f(infSpec, searchControl, buffer, bufferSize, requiredSize) : FALSE;
}

BOOL CAPIFunction::SetupQueryInfVersionInformationA(PSP_INF_INFORMATION information, UINT infIndex, PCSTR key,
                                                    PSTR buffer, DWORD bufferSize, PDWORD requiredSize) {
    auto f = Get<decltype(&::SetupQueryInfVersionInformationA)>(fnSetupQueryInfVersionInformationA);
    return f ? f(information, infIndex, key, buffer, bufferSize, requiredSize) : FALSE;
}

BOOL CAPIFunction::InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) {
    auto f = Get<decltype(&::InitializeSecurityDescriptor)>(fnInitializeSecurityDescriptor);
    return f ? f(descriptor, revision) : FALSE;
}

BOOL CAPIFunction::AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE subAuthorityCount,
                                            DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4,
                                            DWORD sub5, DWORD sub6, DWORD sub7, PSID* sid) {
    auto f = Get<decltype(&::AllocateAndInitializeSid)>(fnAllocateAndInitializeSid);
    return f ? f(authority, subAuthorityCount, sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7, sid) : FALSE;
}

BOOL CAPIFunction::InitializeAcl(PACL acl, DWORD length, DWORD revision) {
    auto f = Get<decltype(&::InitializeAcl)>(fnInitializeAcl);
    return f ? f(acl, length, revision) : FALSE;
}

BOOL CAPIFunction::AddAccessAllowedObjectAce(PACL acl, DWORD revision, DWORD flags, DWORD mask, GUID* objectType,
                                             GUID* inheritedObjectType, PSID sid) {
    auto f = Get<decltype(&::AddAccessAllowedObjectAce)>(fnAddAccessAllowedObjectAce);
    return f ? f(acl, revision, flags, mask, objectType, inheritedObjectType, sid) : FALSE;
}

BOOL CAPIFunction::SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL present, PACL dacl,
                                             BOOL defaulted) {
    auto f = Get<decltype(&::SetSecurityDescriptorDacl)>(fnSetSecurityDescriptorDacl);
    return f ? f(descriptor, present, dacl, defaulted) : FALSE;
}

BOOL CAPIFunction::SetSecurityDescriptorControl(PSECURITY_DESCRIPTOR descriptor, SECURITY_DESCRIPTOR_CONTROL mask,
                                                SECURITY_DESCRIPTOR_CONTROL bits) {
    auto f = Get<decltype(&::SetSecurityDescriptorControl)>(fnSetSecurityDescriptorControl);
    return f ? f(descriptor, mask, bits) : FALSE;
}

PVOID CAPIFunction::FreeSid(PSID sid) {
    auto f = Get<decltype(&::FreeSid)>(fnFreeSid);
    return f ? f(sid) : nullptr;
}

BOOL CAPIFunction::GradientFill(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                                ULONG mode) {
    auto f = Get<decltype(&::GradientFill)>(fnGradientFill);
    return f ? f(dc, vertices, vertexCount, mesh, meshCount, mode) : FALSE;
}

BOOL CAPIFunction::MoveFileExA(LPCSTR existing, LPCSTR target, DWORD flags) {
    auto f = Get<decltype(&::MoveFileExA)>(fnMoveFileExA);
    return f ? f(existing, target, flags) : FALSE;
}
