#pragma once
// How a file named in a profile becomes a path: relative to the setup folder (the program's
// folder, no trailing backslash). Platform-free; the must-exist check is the caller's.
#include <string>

namespace setup {

// "X:" and values containing ":\" stay as they are; "..rest" is the setup folder's parent
// followed by rest; ".rest" the setup folder followed by rest; anything else is
// setup folder + "\" + value. Then $SRC_DIR$ is replaced by the setup folder.
std::string ResolveProfilePathText(const std::string& value, const std::string& setupFolder);

// The folder part of a path, up to (not including) its last backslash; the path itself when it
// has none (the parent of a drive root is the root).
std::string FolderOf(const std::string& path);
// The part after the last backslash.
std::string FileNameOf(const std::string& path);
// Without trailing backslashes.
std::string WithoutTrailingBackslash(std::string path);

// The string file format with its first "%s" replaced by the abbreviation. Any other "%" is
// kept as written: the format comes from the medium and is never handed to printf.
std::string ApplyStringFileFormat(const std::string& format, const std::string& abbr);

}  // namespace setup
