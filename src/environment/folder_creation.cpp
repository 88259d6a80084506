#include "environment/folder_creation.h"

#include <windows.h>

namespace {

// End of the part of a path that is never created: "C:", "\\server\share" or the leading "\".
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return 2;
    if (path.compare(0, 2, "\\\\") == 0) {
        std::size_t server = path.find('\\', 2);
        if (server == std::string::npos) return path.size();
        std::size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path.size() : share;
    }
    return 0;
}

}  // namespace

unsigned long CreateFolderTree(const std::string& path) {
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    for (std::size_t pos = RootLength(path); pos < path.size();) {
        std::size_t start = path[pos] == '\\' ? pos + 1 : pos;
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) {
            std::string part = path.substr(0, end);
            if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
                return GetLastError();
        }
        pos = end;
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError();
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_SUCCESS : ERROR_DIRECTORY;
}
