#include "common/unique_handle.h"
#include "fileops/system_utils.h"

namespace setup {

// "Exists" means "can be opened for reading": a folder, or a file another program holds
// open without read sharing, does not count.
bool FileExists(const char* path) {
    if (path == nullptr || *path == '\0') return false;
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    return file.valid();
}

}  // namespace setup
