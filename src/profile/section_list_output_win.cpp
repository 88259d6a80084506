#include "profile/section_list_output.h"

#include <windows.h>

namespace setup::profile {

void WriteBytes(void* file, const char* data, std::size_t length) {
    while (length > 0) {
        DWORD chunk = length > 0x40000000u ? 0x40000000u : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(file), data, chunk, &written, nullptr) || written == 0) return;
        data += written;
        length -= written;
    }
}

}  // namespace setup::profile
