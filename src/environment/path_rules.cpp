#include "environment/path_rules.h"

#include "environment/macro_expansion.h"

namespace setup {

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::string ResolveProfilePathText(const std::string& value, const std::string& setupFolder) {
    std::string path;
    bool bareDrive = value.size() == 2 && value[1] == ':';
    if (bareDrive || value.find(":\\") != std::string::npos)
        path = value;
    else if (value.compare(0, 2, "..") == 0)
        path = FolderOf(setupFolder) + value.substr(2);
    else if (value.compare(0, 1, ".") == 0)
        path = setupFolder + value.substr(1);
    else
        path = setupFolder + "\\" + value;
    ReplaceAllBounded(path, "$SRC_DIR$", setupFolder, kValueBufferBytes - 1);
    return path;
}

std::string ApplyStringFileFormat(const std::string& format, const std::string& abbr) {
    std::size_t pos = format.find("%s");
    if (pos == std::string::npos) return format;
    return format.substr(0, pos) + abbr + format.substr(pos + 2);
}

}  // namespace setup
