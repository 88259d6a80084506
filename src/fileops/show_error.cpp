#include "fileops/system_utils.h"

#include <memory>

namespace setup {
namespace {

struct LocalFreer {
    void operator()(char* memory) const { LocalFree(memory); }
};

}  // namespace

// No owner window: the message may come while no wizard exists yet or from a silent run.
void ShowSystemError(unsigned long code, const char* caption) {
    char* raw = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&raw), 0, nullptr);
    std::unique_ptr<char, LocalFreer> text(raw);
    if (length == 0 || !text) return;
    MessageBoxA(nullptr, text.get(), caption != nullptr ? caption : "", MB_OK | MB_ICONWARNING);
}

}  // namespace setup
