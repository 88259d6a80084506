#include "common/ansi_text.h"
#include "fileops/system_utils.h"

#include <string>

namespace setup {
namespace {

// Position of the last backslash on a character boundary: in East Asian code pages 0x5C can
// be the trail byte of a double-byte character and is then not a separator.
std::size_t LastBackslash(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (text::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
        } else if (path[i] == '\\') {
            last = i;
        }
    }
    return last;
}

std::string ParentOf(const std::string& path) {
    std::size_t cut = LastBackslash(path);
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

void TrimTrailingBackslashes(std::string& path) {
    while (path.size() > 1 && LastBackslash(path) == path.size() - 1) path.pop_back();
}

bool IsUncServerOrShare(const std::string& folder) {
    if (folder.compare(0, 2, "\\\\") != 0) return false;
    std::size_t afterServer = folder.find('\\', 2);
    return afterServer == std::string::npos || folder.find('\\', afterServer + 1) == std::string::npos;
}

// A bare drive ("C:"), nothing, or a UNC server or share is where the climb stops.
bool IsRemovableFolder(const std::string& folder) {
    return !folder.empty() && folder.back() != ':' && !IsUncServerOrShare(folder);
}

// Removes `folder` and then each parent while it is empty; RemoveDirectory itself refuses a
// folder that still holds anything, so nothing the user keeps there is touched.
void RemoveEmptyChain(std::string folder) {
    while (IsRemovableFolder(folder) && RemoveDirectoryA(folder.c_str())) folder = ParentOf(folder);
}

}  // namespace

bool DeleteFileAndEmptyFolders(const char* path, bool keepFolders) {
    if (path == nullptr || *path == '\0' || !DeleteFileA(path)) return false;
    if (!keepFolders) RemoveEmptyChain(ParentOf(path));
    return true;
}

bool RemoveFolderAndEmptyParents(const char* path) {
    if (path == nullptr || *path == '\0') return false;
    std::string folder(path);
    TrimTrailingBackslashes(folder);
    RemoveEmptyChain(folder);
    return true;
}

}  // namespace setup
