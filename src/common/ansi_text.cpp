#include "common/ansi_text.h"

#include <array>
#include <atomic>

namespace setup::text {

// Provided by the platform file of each build (ansi_codepage_win.cpp / _native.cpp).
void DetectSystemLeadBytes(std::array<bool, 256>& table);

namespace {

struct LeadByteState {
    std::array<bool, 256> table{};
    std::atomic<bool> ready{false};
};

LeadByteState& State() {
    static LeadByteState state;
    return state;
}

const std::array<bool, 256>& Table() {
    LeadByteState& s = State();
    if (!s.ready.load(std::memory_order_acquire)) {
        DetectSystemLeadBytes(s.table);
        s.ready.store(true, std::memory_order_release);
    }
    return s.table;
}

}  // namespace

bool IsLeadByte(unsigned char c) { return Table()[c]; }

void SetLeadByteRanges(const unsigned char* ranges) {
    LeadByteState& s = State();
    s.table.fill(false);
    for (const unsigned char* r = ranges; r && r[0] && r[1]; r += 2)
        for (unsigned c = r[0]; c <= r[1]; ++c) s.table[c] = true;
    s.ready.store(true, std::memory_order_release);
}

void UseCodePage(unsigned codePage) {
    static const unsigned char cp932[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    static const unsigned char cp936[] = {0x81, 0xFE, 0, 0};
    static const unsigned char cp949[] = {0x81, 0xFE, 0, 0};
    static const unsigned char cp950[] = {0x81, 0xFE, 0, 0};
    static const unsigned char none[] = {0, 0};
    switch (codePage) {
    case 932: SetLeadByteRanges(cp932); break;
    case 936: SetLeadByteRanges(cp936); break;
    case 949: SetLeadByteRanges(cp949); break;
    case 950: SetLeadByteRanges(cp950); break;
    default: SetLeadByteRanges(none); break;
    }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto& lead = Table();
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        if (lead[ca] && i + 1 < a.size()) {
            // Both bytes of a double-byte character must match exactly.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::string FoldCase(std::string_view s) {
    std::string out(s);
    UpperInPlace(out);
    return out;
}

std::size_t HashNoCase(std::string_view s) {
    // FNV-1a over the folded bytes.
    const auto& lead = Table();
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (lead[c] && i + 1 < s.size()) {
            h = (h ^ c) * 1099511628211ull;
            c = static_cast<unsigned char>(s[++i]);
        } else {
            c = static_cast<unsigned char>(FoldAscii(static_cast<char>(c)));
        }
        h = (h ^ c) * 1099511628211ull;
    }
    return static_cast<std::size_t>(h);
}

void UpperInPlace(std::string& s) {
    const auto& lead = Table();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (lead[static_cast<unsigned char>(s[i])] && i + 1 < s.size()) {
            ++i;
            continue;
        }
        s[i] = FoldAscii(s[i]);
    }
}

std::size_t Find(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= hay.size() ? from : std::string_view::npos;
    const auto& lead = Table();
    for (std::size_t i = 0; i < hay.size(); ++i) {
        if (i >= from && hay.compare(i, needle.size(), needle) == 0) return i;
        if (lead[static_cast<unsigned char>(hay[i])] && i + 1 < hay.size()) ++i;
    }
    return std::string_view::npos;
}

}  // namespace setup::text
