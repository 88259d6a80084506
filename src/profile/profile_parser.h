#pragma once
// The profile syntax, below the model: comment removal, line splitting and header
// recognition. Works in place on a buffer the caller owns. Comments, quotes, line breaks and
// blanks are bytes below 0x40, where no trail byte of a double-byte code page lies, so the
// scans are bytewise; the header test looks at the first and last byte, as the format says.
#include <cstddef>

namespace setup::profile {

constexpr std::size_t kMaxLineBytes = 4095;

// Drops "//" line comments and "/* */" block comments outside double quotes and turns every
// run of CR/LF bytes into one LF. The text never grows, so it is rewritten in place;
// returns the new length.
std::size_t StripComments(char* data, std::size_t length);

// One trimmed line of stripped text.
struct TextLine {
    char* text;
    std::size_t length;
};

// Walks the lines of stripped text. Stops at the end, at a NUL byte (the unfinished line
// before it is dropped) or at a line longer than kMaxLineBytes (that line and the rest dropped).
class LineReader {
public:
    LineReader(char* data, std::size_t length);
    bool Next(TextLine& line);

private:
    char* next_;
    char* end_;
};

// "[...]" after trimming: first byte "[" and last byte "]".
inline bool IsSectionHeader(const TextLine& line) {
    return line.length >= 2 && line.text[0] == '[' && line.text[line.length - 1] == ']';
}

}  // namespace setup::profile
