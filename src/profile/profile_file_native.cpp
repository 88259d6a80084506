#include "profile/profile_file.h"

#include "common/ansi_text.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

namespace setup::profile {

namespace {

constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kOutOfMemory = 14;

unsigned long FromErrno(int error) {
    return (error == ENOENT || error == ENOTDIR) ? kFileNotFound : kAccessDenied;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueStdFile = std::unique_ptr<std::FILE, FileCloser>;

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The name of a "[name]" line, or false when the line is no header.
bool HeaderName(std::string_view line, std::string_view& name) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[') return false;
    std::size_t close = line.find(']');
    name = TrimBlanks(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return true;
}

bool KeyIs(std::string_view line, std::string_view key) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    return text::EqualsNoCase(TrimBlanks(line.substr(0, eq)), key);
}

// The file as lines without their breaks; a missing file is empty.
unsigned long ReadLines(const char* path, std::vector<std::string>& lines) {
    std::unique_ptr<char[]> data;
    std::size_t length = 0;
    unsigned long rc = ReadWholeFile(path, 0, data, length);
    if (rc == kFileNotFound) return 0;
    if (rc) return rc;
    std::string_view all(data.get(), length);
    while (!all.empty()) {
        std::size_t end = all.find('\n');
        std::string_view line = all.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        all.remove_prefix(end + 1);
    }
    return 0;
}

unsigned long WriteLines(const char* path, const std::vector<std::string>& lines) {
    UniqueStdFile file(std::fopen(path, "wb"));
    if (!file) return FromErrno(errno);
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size() ||
            std::fwrite("\r\n", 1, 2, file.get()) != 2)
            return kAccessDenied;
    }
    return std::fflush(file.get()) == 0 ? 0 : kAccessDenied;
}

// Index of the section's header line and the end of its body (the next header or the end),
// or false when the section is missing.
bool FindSectionLines(const std::vector<std::string>& lines, std::string_view section, std::size_t& header,
                      std::size_t& end) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (!HeaderName(lines[i], name) || !text::EqualsNoCase(name, section)) continue;
        header = i;
        for (end = i + 1; end < lines.size() && !HeaderName(lines[end], name);) ++end;
        return true;
    }
    return false;
}

std::size_t AppendSection(std::vector<std::string>& lines, std::string_view section) {
    if (!lines.empty() && !TrimBlanks(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    return lines.size() - 1;
}

}  // namespace

unsigned long ReadWholeFile(const char* path, std::size_t spare, std::unique_ptr<char[]>& data,
                            std::size_t& length) {
    UniqueStdFile file(std::fopen(path, "rb"));
    if (!file) return FromErrno(errno);
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0) return FromErrno(errno);
    if (!S_ISREG(info.st_mode)) return kAccessDenied;  // as CreateFile on a folder
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return FromErrno(errno);
    long size = std::ftell(file.get());
    if (size < 0) return FromErrno(errno);  // a directory reports EISDIR here or on read
    std::rewind(file.get());
    data.reset(new (std::nothrow) char[static_cast<std::size_t>(size) + spare]);
    if (!data) return kOutOfMemory;
    length = std::fread(data.get(), 1, static_cast<std::size_t>(size), file.get());
    if (std::ferror(file.get())) return FromErrno(errno);
    return 0;
}

unsigned long WriteProfileValue(const char* path, const char* section, const char* key, const char* text) {
    try {
        std::vector<std::string> lines;
        if (unsigned long rc = ReadLines(path, lines)) return rc;
        std::string entry = std::string(key) + "=" + text;
        std::size_t header = 0, end = 0;
        if (!FindSectionLines(lines, TrimBlanks(section), header, end)) {
            AppendSection(lines, section);
            lines.push_back(entry);
            return WriteLines(path, lines);
        }
        std::size_t lastEntry = header;
        for (std::size_t i = header + 1; i < end; ++i) {
            if (KeyIs(lines[i], TrimBlanks(key))) {
                // The key keeps the spelling it has in the file, as the platform writer does.
                std::string_view existing = TrimBlanks(std::string_view(lines[i]).substr(0, lines[i].find('=')));
                lines[i] = std::string(existing) + "=" + text;
                return WriteLines(path, lines);
            }
            if (!TrimBlanks(lines[i]).empty()) lastEntry = i;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1), entry);
        return WriteLines(path, lines);
    } catch (...) {
        return kOutOfMemory;
    }
}

unsigned long ClearProfileSection(const char* path, const char* section) {
    try {
        std::vector<std::string> lines;
        if (unsigned long rc = ReadLines(path, lines)) return rc;
        std::size_t header = 0, end = 0;
        // A missing section stays missing: an empty body adds nothing (as the platform writer).
        if (!FindSectionLines(lines, TrimBlanks(section), header, end)) return 0;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(header + 1),
                    lines.begin() + static_cast<std::ptrdiff_t>(end));
        return WriteLines(path, lines);
    } catch (...) {
        return kOutOfMemory;
    }
}

}  // namespace setup::profile
