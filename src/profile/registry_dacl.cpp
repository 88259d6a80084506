#include "profile/registry.h"

#include "common/unique_handle.h"
#include "modules/api_function.h"

#include <memory>

namespace {

constexpr DWORD kSecurityDescriptorRevision = 1;
constexpr DWORD kAclRevisionDs = 4;
constexpr DWORD kAclSlackBytes = 52;  // ACL header and one object ACE without its SID
constexpr DWORD kInheritFlags = CONTAINER_INHERIT_ACE | INHERITED_ACE;
constexpr DWORD kAllKeyAccess = 0xF003F;
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclAutoInherited = 0x400;

// The failing call's error. A function missing from the table sets none, and a missing
// function must not read as success.
unsigned long LastErrorOfFailure() {
    DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_PROC_NOT_FOUND;
}

// The SID comes from the table's allocator, so the table frees it too.
struct SidDeleter {
    CAPIFunction* api;
    void operator()(void* sid) const { api->FreeSid(sid); }
};
using UniqueSid = std::unique_ptr<void, SidDeleter>;

}  // namespace

unsigned long CRegistry::SetDaclPermission(const char* key, HKEY root) {
    if (!key || !*key) return ERROR_INVALID_PARAMETER;
    CAPIFunction api;
    api.Bind();

    SECURITY_DESCRIPTOR descriptor = {};
    if (!api.InitializeSecurityDescriptor(&descriptor, kSecurityDescriptorRevision)) return LastErrorOfFailure();

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyoneSid = nullptr;
    if (!api.AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyoneSid))
        return LastErrorOfFailure();
    UniqueSid everyone(everyoneSid, SidDeleter{&api});

    DWORD aclBytes = GetLengthSid(everyone.get()) + kAclSlackBytes;
    setup::UniqueHeapMem aclMemory(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, aclBytes));
    if (!aclMemory) return ERROR_NOT_ENOUGH_MEMORY;
    auto* acl = static_cast<PACL>(aclMemory.get());
    if (!api.InitializeAcl(acl, aclBytes, kAclRevisionDs)) return LastErrorOfFailure();
    if (!api.AddAccessAllowedObjectAce(acl, kAclRevisionDs, kInheritFlags, kAllKeyAccess, nullptr, nullptr,
                                       everyone.get()))
        return LastErrorOfFailure();
    if (!api.SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) return LastErrorOfFailure();
    if (!api.SetSecurityDescriptorControl(&descriptor, kDaclAutoInherited, kDaclAutoInherited))
        return LastErrorOfFailure();

    setup::UniqueKey handle;
    if (LONG error = RegOpenKeyExA(root, key, 0, WRITE_DAC, handle.put())) return error;
    return RegSetKeySecurity(handle.get(), DACL_SECURITY_INFORMATION, &descriptor);
}
