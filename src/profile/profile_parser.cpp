#include "profile/profile_parser.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace setup::profile {

namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Bytes that end a run of plain text in the comment pass.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> t{};
    t['/'] = t['"'] = t['\r'] = t['\n'] = true;
    return t;
}();

// End of the run of plain bytes starting at `at`: eight bytes at a time, testing each word
// for the four special bytes at once (the lowest flagged byte of a word is always exact).
std::size_t EndOfPlainRun(const char* data, std::size_t at, std::size_t length) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
        auto has = [](std::uint64_t word, unsigned char c) {
            std::uint64_t x = word ^ (kOnes * c);
            return (x - kOnes) & ~x & kHighs;
        };
        while (at + 8 <= length) {
            std::uint64_t word;
            std::memcpy(&word, data + at, 8);
            std::uint64_t found = has(word, '/') | has(word, '"') | has(word, '\r') | has(word, '\n');
            if (found) return at + static_cast<std::size_t>(std::countr_zero(found) / 8);
            at += 8;
        }
    }
    while (at < length && !kSpecial[static_cast<unsigned char>(data[at])]) ++at;
    return at;
}

std::size_t SkipBreaks(const char* data, std::size_t at, std::size_t length) {
    while (at < length && IsBreak(data[at])) ++at;
    return at;
}

// Position just past the "*/" that closes a block comment opened before `at`; `length`
// when it is never closed.
std::size_t EndOfBlockComment(const char* data, std::size_t at, std::size_t length) {
    while (at + 1 < length) {
        const void* star = std::memchr(data + at, '*', length - at - 1);
        if (!star) break;
        at = static_cast<std::size_t>(static_cast<const char*>(star) - data);
        if (data[at + 1] == '/') return at + 2;
        ++at;
    }
    return length;
}

}  // namespace

std::size_t StripComments(char* data, std::size_t length) {
    std::size_t read = 0, write = 0;
    bool inQuotes = false;
    bool atLineStart = true;
    while (read < length) {
        std::size_t run = EndOfPlainRun(data, read, length);
        if (run > read) {
            if (write != read) std::memmove(data + write, data + read, run - read);
            write += run - read;
            read = run;
            atLineStart = false;
            continue;
        }
        char c = data[read];
        char next = read + 1 < length ? data[read + 1] : '\0';
        if (c == '/' && !inQuotes && next == '/') {
            read += 2;
            while (read < length && !IsBreak(data[read])) ++read;
            read = SkipBreaks(data, read, length);
            if (!atLineStart) data[write++] = '\n';
            atLineStart = true;
        } else if (c == '/' && !inQuotes && next == '*') {
            read = EndOfBlockComment(data, read + 2, length);
        } else if (IsBreak(c)) {
            read = SkipBreaks(data, read, length);
            data[write++] = '\n';
            atLineStart = true;
        } else {
            if (c == '"') inQuotes = !inQuotes;
            data[write++] = c;
            ++read;
            atLineStart = false;
        }
    }
    return write;
}

LineReader::LineReader(char* data, std::size_t length) : next_(data), end_(data + length) {
    // A NUL ends the data; only lines finished by a break before it count.
    if (char* nul = static_cast<char*>(std::memchr(data, '\0', length))) end_ = nul;
}

bool LineReader::Next(TextLine& line) {
    while (next_ < end_) {
        char* start = next_;
        char* stop = static_cast<char*>(std::memchr(start, '\n', static_cast<std::size_t>(end_ - start)));
        if (!stop) {
            next_ = end_;
            return false;
        }
        next_ = stop + 1;
        char* last = stop;
        if (last > start && last[-1] == '\r') --last;
        while (start < last && IsBlank(*start)) ++start;
        while (last > start && IsBlank(last[-1])) --last;
        std::size_t n = static_cast<std::size_t>(last - start);
        if (n > kMaxLineBytes) {
            next_ = end_;
            return false;
        }
        if (n == 0) continue;
        line = TextLine{start, n};
        return true;
    }
    return false;
}

}  // namespace setup::profile
