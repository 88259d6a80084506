#include "fileops/system_utils.h"

#include <string>

namespace setup {

std::string RunningProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // A cut name fills the buffer exactly; no Windows path is longer than 32767.
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace setup
