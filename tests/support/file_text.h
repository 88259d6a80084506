#pragma once
// Whole files as bytes and text split at CR LF, for tests that stage input files or check
// what the code under test wrote.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace test_support {

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Replaces the file's contents with exactly these bytes.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The lines of text, each without its CR LF; empty lines count, and text after the last
// CR LF is a line of its own. A lone CR or LF stays inside its line.
inline std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace test_support
