#pragma once
// Text helpers of the system utilities; platform-free (text core).
#include <cstddef>
#include <string>

namespace setup {

unsigned long ParseNumber(const char* text);
bool BytesToHex(const unsigned char* bytes, std::size_t count, std::string& out);
bool GetToken(const char* text, const char* delimiters, int index, char* out, std::size_t size);

}  // namespace setup
