#include "fileops/wow64_path.h"

#include "common/ansi_text.h"

namespace setup {

std::string ToWow64SourcePath(const std::string& path) {
    static const std::string kSystem = "\\SYSTEM32\\";
    static const std::string kWow = "\\SYSWOW64\\";
    std::string upper = path;
    text::UpperInPlace(upper);
    for (std::size_t pos = 0; (pos = text::Find(upper, kSystem, pos)) != std::string::npos; pos += kWow.size())
        upper.replace(pos, kSystem.size(), kWow);
    return upper;
}

}  // namespace setup
