#pragma once
// Paths as the 64-bit system must see a 32-bit program's system folder.
#include <string>

namespace setup {

// Upper-cased copy with every "\SYSTEM32\" replaced by "\SYSWOW64\"
// ("C:\Windows\System32\Drivers" -> "C:\WINDOWS\SYSWOW64\DRIVERS").
std::string ToWow64SourcePath(const std::string& path);

}  // namespace setup
