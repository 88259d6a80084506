#include "common/unique_handle.h"
#include "fileops/system_utils.h"

#include <vector>

namespace setup {
namespace {

// Undoes ImpersonateSelf on every path.
class SelfImpersonation {
public:
    SelfImpersonation() : active_(ImpersonateSelf(SecurityImpersonation) != FALSE) {}
    ~SelfImpersonation() {
        if (active_) RevertToSelf();
    }
    SelfImpersonation(const SelfImpersonation&) = delete;
    SelfImpersonation& operator=(const SelfImpersonation&) = delete;
    bool active() const { return active_; }

private:
    bool active_;
};

UniqueKernelHandle OpenCallerToken() {
    UniqueKernelHandle token;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.put())) return token;
    if (GetLastError() == ERROR_NO_TOKEN) OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put());
    return token;
}

using UniqueSid = UniqueHandle<SidTraits>;

UniqueSid AdministratorsSid() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    UniqueSid sid;
    AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                             0, 0, sid.put());
    return sid;
}

// A descriptor that grants access mask 3 to Administrators only; `acl` backs its DACL.
bool BuildAdminOnlyDescriptor(PSID admins, std::vector<unsigned char>& acl, SECURITY_DESCRIPTOR& descriptor) {
    acl.assign(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(admins) - sizeof(DWORD), 0);
    auto* dacl = reinterpret_cast<ACL*>(acl.data());
    return InitializeAcl(dacl, static_cast<DWORD>(acl.size()), ACL_REVISION2) &&
           AddAccessAllowedAce(dacl, ACL_REVISION2, 3, admins) &&
           InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE) &&
           SetSecurityDescriptorGroup(&descriptor, admins, FALSE) &&
           SetSecurityDescriptorOwner(&descriptor, admins, FALSE) && IsValidSecurityDescriptor(&descriptor);
}

}  // namespace

// Access-check method: unlike a group-membership test it also answers correctly for
// restricted tokens, where the group is present but deny-only.
bool IsAdministrator() {
    SelfImpersonation impersonation;
    if (!impersonation.active()) return false;
    UniqueKernelHandle token = OpenCallerToken();
    if (!token) return false;
    UniqueSid admins = AdministratorsSid();
    if (!admins) return false;

    std::vector<unsigned char> acl;
    SECURITY_DESCRIPTOR descriptor{};
    if (!BuildAdminOnlyDescriptor(admins.get(), acl, descriptor)) return false;

    GENERIC_MAPPING mapping{1, 2, 0, 3};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof(privileges);
    DWORD granted = 0;
    BOOL accessStatus = FALSE;
    if (!AccessCheck(&descriptor, token.get(), 1, &mapping, &privileges, &privilegesSize, &granted, &accessStatus))
        return false;
    return accessStatus != FALSE;
}

}  // namespace setup
