#pragma once
// Writing the text of a list to an open file: a Win32 HANDLE on Windows, a FILE* natively.
#include <cstddef>

namespace setup::profile {

// Write failures are not reported (the list's SaveFile contract).
void WriteBytes(void* file, const char* data, std::size_t length);

}  // namespace setup::profile
