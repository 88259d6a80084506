#include <windows.h>

#include <array>

namespace setup::text {

void DetectSystemLeadBytes(std::array<bool, 256>& table) {
    table.fill(false);
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info)) return;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
        for (unsigned c = info.LeadByte[i]; c <= info.LeadByte[i + 1]; ++c) table[c] = true;
}

}  // namespace setup::text
