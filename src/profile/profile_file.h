#pragma once
// Reading a whole profile file and writing one value back, per platform. Results are
// Win32 error codes on both builds (natively errno is mapped: 2 missing, 5 otherwise).
#include <cstddef>
#include <memory>

namespace setup::profile {

// Reads the file (opened for reading, shared for reading, must exist) into a new buffer with
// `spare` writable bytes after the data.
unsigned long ReadWholeFile(const char* path, std::size_t spare, std::unique_ptr<char[]>& data,
                            std::size_t& length);

// Sets key=text in the section of the file, adding the section or key when missing.
unsigned long WriteProfileValue(const char* path, const char* section, const char* key, const char* text);
// Removes every line of the section, keeping its header; a missing section is left missing.
unsigned long ClearProfileSection(const char* path, const char* section);

}  // namespace setup::profile
