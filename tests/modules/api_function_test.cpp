#include "modules/api_function.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Touch(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// Calls every wrapper with harmless arguments; true when all of them answered 0.
bool EveryWrapperAnswersZero(CAPIFunction& api) {
    test_support::ScratchFolder scratch("apifunction");
    const std::string from = scratch.File("unbound-from");
    const std::string to = scratch.File("unbound-to");
    Touch(from);
    SECURITY_DESCRIPTOR descriptor;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID sid = nullptr;
    BYTE acl[256];
    TRIVERTEX vertices[2] = {};
    GRADIENT_RECT rect = {0, 1};
    UINT line = 0;
    bool zero = !api.RegisterDeviceNotificationA(nullptr, nullptr, 0) && !api.UnregisterDeviceNotification(nullptr) &&
                api.CMP_WaitNoPendingInstallEvents(0) == 0 &&
                !api.SetupOpenInfFileA("x.inf", nullptr, INF_STYLE_WIN4, &line) &&
                !api.SetupGetInfInformationA("x.inf", INFINFO_INF_NAME_IS_ABSOLUTE, nullptr, 0, nullptr) &&
                !api.SetupQueryInfVersionInformationA(nullptr, 0, "x", nullptr, 0, nullptr) &&
                !api.InitializeSecurityDescriptor(&descriptor, 1) &&
                !api.AllocateAndInitializeSid(&world, 1, 0, 0, 0, 0, 0, 0, 0, 0, &sid) && sid == nullptr &&
                !api.InitializeAcl(reinterpret_cast<PACL>(acl), sizeof(acl), 4) &&
                !api.AddAccessAllowedObjectAce(reinterpret_cast<PACL>(acl), 4, 0, 0, nullptr, nullptr, nullptr) &&
                !api.SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE) &&
                !api.SetSecurityDescriptorControl(&descriptor, 0x400, 0x400) && api.FreeSid(nullptr) == nullptr &&
                !api.GradientFill(nullptr, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H) &&
                !api.MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
    api.SetupCloseInfFile(nullptr);
    return zero && FileExists(from) && !FileExists(to);
}

TEST(APIFunction, UnboundTableAnswersZeroEverywhere) {
    CAPIFunction api;
    for (int f = 0; f < CAPIFunction::kFunctionCount; ++f)
        EXPECT_FALSE(api.IsBound(static_cast<CAPIFunction::Function>(f))) << f;
    for (int l = 0; l < CAPIFunction::kLibraryCount; ++l)
        EXPECT_EQ(api.LibraryHandle(static_cast<CAPIFunction::Library>(l)), nullptr) << l;
    EXPECT_TRUE(EveryWrapperAnswersZero(api));

    CAPIFunction copy(api);
    EXPECT_TRUE(EveryWrapperAnswersZero(copy));
}

TEST(APIFunction, BindTakesEveryFunctionTheSystemHas) {
    CAPIFunction api;
    EXPECT_TRUE(api.Bind());
    for (CAPIFunction::Library library : {CAPIFunction::kKernel32, CAPIFunction::kUser32, CAPIFunction::kAdvapi32,
                                          CAPIFunction::kSetupApi, CAPIFunction::kMsimg32, CAPIFunction::kMpr,
                                          CAPIFunction::kNetapi32})
        EXPECT_NE(api.LibraryHandle(library), nullptr) << library;
    EXPECT_EQ(api.LibraryHandle(CAPIFunction::kSpare), nullptr);
    for (CAPIFunction::Function function :
         {CAPIFunction::fnMoveFileExA, CAPIFunction::fnGetDiskFreeSpaceExA, CAPIFunction::fnGradientFill,
          CAPIFunction::fnRegisterDeviceNotificationA, CAPIFunction::fnSetupOpenInfFileA,
          CAPIFunction::fnSetupGetInfInformationA, CAPIFunction::fnInitializeSecurityDescriptor,
          CAPIFunction::fnFreeSid, CAPIFunction::fnWNetAddConnection2A, CAPIFunction::fnNetWkstaGetInfo})
        EXPECT_TRUE(api.IsBound(function)) << function;

    // The wrappers pass the caller's arguments through.
    test_support::ScratchFolder scratch("apifunction");
    const std::string from = scratch.File("bound-from");
    const std::string to = scratch.File("bound-to");
    Touch(from);
    EXPECT_TRUE(api.MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(FileExists(from));
    EXPECT_TRUE(FileExists(to));

    SECURITY_DESCRIPTOR descriptor;
    EXPECT_TRUE(api.InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID sid = nullptr;
    ASSERT_TRUE(api.AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid));
    EXPECT_TRUE(IsValidSid(sid));
    EXPECT_EQ(api.FreeSid(sid), nullptr);

    UINT line = 0;
    HINF inf = api.SetupOpenInfFileA(scratch.File("none.inf").c_str(), nullptr, INF_STYLE_WIN4, &line);
    EXPECT_EQ(inf, INVALID_HANDLE_VALUE) << "the system's own answer, not the wrapper's 0";

    // Binding again releases what the table held first: no reference is left behind.
    EXPECT_TRUE(api.Bind());
    EXPECT_NE(api.LibraryHandle(CAPIFunction::kKernel32), nullptr);
}

// Each object holds its own reference: destroying one leaves the other's functions usable,
// and when both are gone the library is unloaded (neither a double free nor a leak).
TEST(APIFunction, CopiesHoldTheirOwnLibraryReferences) {
    if (GetModuleHandleA("msimg32.dll")) GTEST_SKIP() << "msimg32 is loaded by the test program itself";
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    TRIVERTEX vertices[2] = {{0, 0, 0, 0, 0, 0}, {8, 8, 0xFF00, 0xFF00, 0xFF00, 0}};
    GRADIENT_RECT rect = {0, 1};

    {
        auto* original = new CAPIFunction;
        original->Bind();
        ASSERT_NE(GetModuleHandleA("msimg32.dll"), nullptr);
        CAPIFunction copy(*original);
        CAPIFunction assigned;
        assigned = *original;
        assigned = assigned;  // self-assignment keeps the table
        delete original;
        ASSERT_NE(GetModuleHandleA("msimg32.dll"), nullptr) << "the copies still hold the library";
        EXPECT_TRUE(copy.IsBound(CAPIFunction::fnGradientFill));
        EXPECT_TRUE(copy.GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
        EXPECT_TRUE(assigned.GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));

        // Assigning an empty table releases the held one.
        assigned = CAPIFunction();
        EXPECT_FALSE(assigned.IsBound(CAPIFunction::fnGradientFill));
        EXPECT_FALSE(assigned.GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    }
    EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr) << "every reference was given back";

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
