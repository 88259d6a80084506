#include "profile/section_list_output.h"

#include <cstdio>

namespace setup::profile {

void WriteBytes(void* file, const char* data, std::size_t length) {
    std::fwrite(data, 1, length, static_cast<std::FILE*>(file));
}

}  // namespace setup::profile
