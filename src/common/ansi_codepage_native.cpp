#include <array>

namespace setup::text {

// Natively there is no system ANSI code page: single-byte until a test picks one.
void DetectSystemLeadBytes(std::array<bool, 256>& table) { table.fill(false); }

}  // namespace setup::text
