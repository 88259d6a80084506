#include "profile/section_list.h"

#include "common/ansi_text.h"
#include "profile/section_list_arena.h"
#include "profile/section_list_index.h"
#include "profile/section_list_output.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using setup::profile::Arena;
using setup::profile::PointerIndex;
namespace text = setup::text;

namespace {

// A section record with the tail of its line chain, so appending a line costs O(1).
// SECTION_LIST comes first: a SECTION_LIST* of this list is a SectionNode*.
struct SectionNode {
    SECTION_LIST record;
    LINE_LIST* lastLine;
    std::size_t lineCount;
    bool indexed;  // its keys are in firstKeys (from kIndexedLines lines on, for good)
};

// Small sections (most of an INF) are walked: cheaper to load and as fast to search.
constexpr std::size_t kIndexedLines = 16;

SectionNode* NodeOf(SECTION_LIST* section) { return reinterpret_cast<SectionNode*>(section); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsNameLeadingJunk(char c) { return c == ' ' || c == '\t' || c == '"' || c == '['; }
bool IsNameTrailingJunk(char c) { return c == ' ' || c == '\t' || c == '"' || c == ']'; }

// Section names lose blanks, quotes and brackets around them. The trailing side walks whole
// characters, so a double-byte character whose trail byte is "]" is kept.
std::string_view TrimSectionName(std::string_view s) {
    while (!s.empty() && IsNameLeadingJunk(s.front())) s.remove_prefix(1);
    std::size_t keep = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (text::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            keep = ++i + 1;
        } else if (!IsNameTrailingJunk(s[i])) {
            keep = i + 1;
        }
    }
    return s.substr(0, keep);
}

// Longest prefix of at most `limit` bytes that does not split a double-byte character.
std::size_t CutOnCharacter(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) return s.size();
    std::size_t i = 0;
    while (i < limit) {
        std::size_t step = text::IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return i;
}

std::size_t NameHash(std::string_view name) { return text::HashNoCase(name); }

std::size_t KeyHash(const SECTION_LIST* section, std::string_view key) {
    std::uint64_t mix = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(section)) * 0x9E3779B97F4A7C15ull;
    return text::HashNoCase(key) ^ static_cast<std::size_t>(mix ^ (mix >> 29));
}

}  // namespace

struct CSectionList::Impl {
    Arena arena;
    std::vector<std::unique_ptr<char[]>> texts;  // adopted file texts
    PointerIndex sections;                       // folded name -> section
    PointerIndex firstKeys;                      // (section, folded key) -> first line with it
    SECTION_LIST* lastSection = nullptr;
    SectionNode* freeSections = nullptr;  // recycled records, chained through record.next
    LINE_LIST* freeLines = nullptr;       // chained through next

    SECTION_LIST* FindSection(std::string_view trimmed) const {
        return sections.Find<SECTION_LIST>(NameHash(trimmed), [&](SECTION_LIST* s) {
            return text::EqualsNoCase(s->name, trimmed);
        });
    }

    // `section` belongs to this list.
    LINE_LIST* FindFirstLine(SECTION_LIST* section, std::string_view key) const {
        if (NodeOf(section)->indexed) {
            return firstKeys.Find<LINE_LIST>(KeyHash(section, key), [&](LINE_LIST* l) {
                return l->section == section && text::EqualsNoCase(l->key, key);
            });
        }
        for (LINE_LIST* l = section->lines; l; l = l->next)
            if (text::EqualsNoCase(l->key, key)) return l;
        return nullptr;
    }

    bool Owns(SECTION_LIST* section) const {
        return section && sections.Contains(NameHash(section->name), section);
    }

    SectionNode* NewSection(char* name) {
        SectionNode* node = freeSections;
        if (node) {
            freeSections = reinterpret_cast<SectionNode*>(node->record.next);
        } else {
            node = static_cast<SectionNode*>(arena.Allocate(sizeof(SectionNode)));
            if (!node) return nullptr;
        }
        *node = SectionNode{{nullptr, nullptr, nullptr, name}, nullptr, 0, false};
        return node;
    }

    void FreeSection(SECTION_LIST* section) {
        SectionNode* node = NodeOf(section);
        node->record.next = reinterpret_cast<SECTION_LIST*>(freeSections);
        freeSections = node;
    }

    LINE_LIST* NewLine(SECTION_LIST* section, char* key, char* value) {
        LINE_LIST* line = freeLines;
        if (line) {
            freeLines = line->next;
        } else {
            line = static_cast<LINE_LIST*>(arena.Allocate(sizeof(LINE_LIST)));
            if (!line) return nullptr;
        }
        *line = LINE_LIST{section, nullptr, nullptr, value, key};
        return line;
    }

    void FreeLine(LINE_LIST* line) {
        line->next = freeLines;
        freeLines = line;
    }

    // Links a new section after `after` (null: at the end) and indexes it.
    bool LinkSection(CSectionList& list, SECTION_LIST* section, SECTION_LIST* after, std::string_view name) {
        if (!sections.Insert(NameHash(name), section)) return false;
        if (!after) after = lastSection;
        section->prev = after;
        if (after) {
            section->next = after->next;
            after->next = section;
        } else {
            section->next = list.first_;
            list.first_ = section;
        }
        if (section->next) section->next->prev = section;
        else lastSection = section;
        return true;
    }

    void UnlinkSection(CSectionList& list, SECTION_LIST* section) {
        sections.Erase(NameHash(section->name), section);
        if (section->prev) section->prev->next = section->next;
        else list.first_ = section->next;
        if (section->next) section->next->prev = section->prev;
        else lastSection = section->prev;
    }

    // Links a line after `after` (null: at the end of its section).
    void LinkLine(LINE_LIST* line, LINE_LIST* after) {
        SectionNode* node = NodeOf(line->section);
        if (!after) after = node->lastLine;
        line->prev = after;
        if (after) {
            line->next = after->next;
            after->next = line;
        } else {
            line->next = node->record.lines;
            node->record.lines = line;
        }
        if (line->next) line->next->prev = line;
        else node->lastLine = line;
        ++node->lineCount;
    }

    // Keeps firstKeys right for a line just linked, indexing its section once it has grown
    // large. False when out of memory.
    bool IndexNewLine(LINE_LIST* line) {
        SectionNode* node = NodeOf(line->section);
        if (node->indexed) return IndexLine(line);
        if (node->lineCount < kIndexedLines) return true;
        for (LINE_LIST* l = node->record.lines; l; l = l->next) {
            if (!IndexLine(l)) {
                for (LINE_LIST* done = node->record.lines; done != l; done = done->next)
                    firstKeys.Erase(KeyHash(done->section, done->key), done);
                return false;
            }
        }
        node->indexed = true;
        return true;
    }

    bool IndexLine(LINE_LIST* line) {
        std::string_view key = line->key;
        std::size_t hash = KeyHash(line->section, key);
        LINE_LIST* first = firstKeys.Find<LINE_LIST>(hash, [&](LINE_LIST* l) {
            return l->section == line->section && text::EqualsNoCase(l->key, key);
        });
        if (!first) return firstKeys.Insert(hash, line);
        if (line->next && Precedes(line, first)) firstKeys.Replace(hash, first, line);
        return true;
    }

    // Whether `a` comes before `b` in their section, walking outwards from `a` so the cost
    // is the distance between them.
    static bool Precedes(const LINE_LIST* a, const LINE_LIST* b) {
        for (const LINE_LIST *back = a->prev, *ahead = a->next; back || ahead;) {
            if (ahead == b) return true;
            if (back == b) return false;
            if (ahead) ahead = ahead->next;
            if (back) back = back->prev;
        }
        return false;
    }

    // Drops the line from firstKeys, handing its entry to the next line with the same key.
    void UnindexLine(LINE_LIST* line, bool laterLinesGoToo) {
        if (!NodeOf(line->section)->indexed) return;
        std::string_view key = line->key;
        std::size_t hash = KeyHash(line->section, key);
        if (!firstKeys.Contains(hash, line)) return;
        LINE_LIST* next = nullptr;
        if (!laterLinesGoToo)
            for (LINE_LIST* l = line->next; l && !next; l = l->next)
                if (text::EqualsNoCase(l->key, key)) next = l;
        if (next) firstKeys.Replace(hash, line, next);
        else firstKeys.Erase(hash, line);
    }

    void UnlinkLine(LINE_LIST* line) {
        SectionNode* node = NodeOf(line->section);
        if (line->prev) line->prev->next = line->next;
        else node->record.lines = line->next;
        if (line->next) line->next->prev = line->prev;
        else node->lastLine = line->prev;
        --node->lineCount;
    }

    // Frees `line` and every line after it; the line before it ends the chain.
    void DropLinesFrom(LINE_LIST* line) {
        SectionNode* node = NodeOf(line->section);
        if (line->prev) line->prev->next = nullptr;
        else node->record.lines = nullptr;
        node->lastLine = line->prev;
        while (line) {
            LINE_LIST* next = line->next;
            UnindexLine(line, true);
            FreeLine(line);
            --node->lineCount;
            line = next;
        }
    }

    // New value storage unless the new text fits where the old one is.
    bool StoreValue(LINE_LIST* line, std::string_view value) {
        if (value.size() <= std::strlen(line->value)) {
            if (!value.empty()) std::memcpy(line->value, value.data(), value.size());
            line->value[value.size()] = '\0';
            return true;
        }
        char* copy = arena.CopyText(value.data(), value.size());
        if (!copy) return false;
        line->value = copy;
        return true;
    }

    void Reset() {
        sections.Clear();
        firstKeys.Clear();
        arena.Release();
        texts.clear();
        lastSection = nullptr;
        freeSections = nullptr;
        freeLines = nullptr;
    }
};

CSectionList::CSectionList() : impl_(new (std::nothrow) Impl) {}

CSectionList::~CSectionList() { delete impl_; }

SECTION_LIST* CSectionList::FindSection(const char* name) {
    if (!name) return first_;
    if (!impl_) return nullptr;
    return impl_->FindSection(TrimSectionName(name));
}

LINE_LIST* CSectionList::FindKey(SECTION_LIST* section, const char* key, int occurrence) {
    if (!impl_ || !key || !*key || occurrence < 0 || !impl_->Owns(section)) return nullptr;
    std::string_view wanted = key;
    LINE_LIST* line = impl_->FindFirstLine(section, wanted);
    while (line && occurrence > 0) {
        line = line->next;
        while (line && !text::EqualsNoCase(line->key, wanted)) line = line->next;
        --occurrence;
    }
    return line;
}

LINE_LIST* CSectionList::FindKey(SECTION_LIST* section, int index) {
    if (!section || index < 0) return nullptr;
    LINE_LIST* line = section->lines;
    while (line && index-- > 0) line = line->next;
    return line;
}

SECTION_LIST* CSectionList::AddSection(const char* name, const char* after) {
    if (!impl_ || !name || !*name) return nullptr;
    std::string_view trimmed = TrimSectionName(name);
    if (trimmed.size() > kMaxNameBytes) return nullptr;
    if (SECTION_LIST* existing = impl_->FindSection(trimmed)) return existing;
    char* stored = impl_->arena.CopyText(trimmed.data(), trimmed.size());
    SectionNode* node = stored ? impl_->NewSection(stored) : nullptr;
    if (!node) return nullptr;
    SECTION_LIST* position = (after && *after) ? FindSection(after) : nullptr;
    if (!impl_->LinkSection(*this, &node->record, position, trimmed)) {
        impl_->FreeSection(&node->record);
        return nullptr;
    }
    return &node->record;
}

LINE_LIST* CSectionList::AddLine(SECTION_LIST* section, const char* text, bool replace, const char* afterKey) {
    if (!impl_ || !text || !*text || !impl_->Owns(section)) return nullptr;
    std::string_view whole = text;
    std::string_view key = whole;
    std::string_view value;
    if (std::size_t eq = whole.find('='); eq != std::string_view::npos) {
        key = TrimBlanks(whole.substr(0, eq));
        value = TrimBlanks(whole.substr(eq + 1));
        value = value.substr(0, CutOnCharacter(value, kMaxValueBytes));
    }
    if (key.size() > kMaxNameBytes) return nullptr;

    if (replace) {
        if (LINE_LIST* first = impl_->FindFirstLine(section, key))
            return impl_->StoreValue(first, value) ? first : nullptr;
    }
    char* storage = static_cast<char*>(impl_->arena.Allocate(key.size() + value.size() + 2));
    if (!storage) return nullptr;
    std::memcpy(storage, key.data(), key.size());
    storage[key.size()] = '\0';
    char* storedValue = storage + key.size() + 1;
    if (!value.empty()) std::memcpy(storedValue, value.data(), value.size());
    storedValue[value.size()] = '\0';

    LINE_LIST* line = impl_->NewLine(section, storage, storedValue);
    if (!line) return nullptr;
    LINE_LIST* position = (afterKey && *afterKey) ? impl_->FindFirstLine(section, afterKey) : nullptr;
    impl_->LinkLine(line, position);
    if (!impl_->IndexNewLine(line)) {
        impl_->UnlinkLine(line);
        impl_->FreeLine(line);
        return nullptr;
    }
    return line;
}

LINE_LIST* CSectionList::AddLine(const char* section, const char* text, bool replace, const char* afterKey) {
    if (!section || !*section) return nullptr;
    return AddLine(FindSection(section), text, replace, afterKey);
}

bool CSectionList::GetValue(const char* section, const char* key, char* buffer, unsigned long size, int occurrence) {
    if (!section || !buffer || size == 0) return false;
    LINE_LIST* line = FindKey(FindSection(section), key, occurrence);
    if (!line) return false;
    std::size_t length = std::strlen(line->value);
    if (length > size - 1) length = size - 1;
    std::memcpy(buffer, line->value, length);
    std::memset(buffer + length, 0, size - length);
    return true;
}

bool CSectionList::SetValue(const char* section, const char* key, const char* value, int occurrence) {
    if (!impl_ || !section || !*section || !key || !*key) return false;
    if (!value) value = "";
    SECTION_LIST* target = FindSection(section);
    if (!target) target = AddSection(section, nullptr);
    if (!target) return false;
    if (LINE_LIST* line = FindKey(target, key, occurrence)) {
        std::string_view text = value;
        return impl_->StoreValue(line, text.substr(0, CutOnCharacter(text, kMaxValueBytes)));
    }
    std::string line = key;
    if (*value) {
        line += " = ";
        line += value;
    }
    return AddLine(target, line.c_str(), true, nullptr) != nullptr;
}

unsigned long CSectionList::GetAllKey(const char* section, char* buffer, unsigned long* size, unsigned long* count) {
    constexpr unsigned long kInvalidParameter = 87, kInvalidData = 13, kOutOfMemory = 14;
    if (!section || !buffer || !size) return kInvalidParameter;
    SECTION_LIST* target = FindSection(section);
    if (!target) return kInvalidData;
    const unsigned long capacity = *size;
    std::memset(buffer, 0, capacity);
    if (count) *count = 0;
    unsigned long result = 0;
    unsigned long total = 0;
    for (LINE_LIST* line = target->lines; line; line = line->next) {
        unsigned long length = static_cast<unsigned long>(std::strlen(line->key));
        unsigned long start = total;
        total += length + 1;
        if (result != 0) continue;
        if (total >= capacity) {
            std::memset(buffer, 0, capacity);
            result = kOutOfMemory;
            continue;
        }
        std::memcpy(buffer + start, line->key, length + 1);
        if (count) ++*count;
    }
    *size = total;
    return result;
}

bool CSectionList::DeleteSection(const char* name) {
    if (!name || !*name) return false;
    SECTION_LIST* section = FindSection(name);
    if (!section) return false;
    if (section->lines) impl_->DropLinesFrom(section->lines);
    impl_->UnlinkSection(*this, section);
    impl_->FreeSection(section);
    return true;
}

bool CSectionList::DeleteLine(const char* section, const char* key) {
    if (!section || !*section || !key || !*key) return false;
    LINE_LIST* line = FindKey(FindSection(section), key, 0);
    if (!line) return false;
    impl_->UnindexLine(line, false);
    impl_->UnlinkLine(line);
    impl_->FreeLine(line);
    return true;
}

bool CSectionList::DeleteAllLines(const char* section) {
    if (!section || !*section) return false;
    SECTION_LIST* target = FindSection(section);
    if (!target) return false;
    if (target->lines) impl_->DropLinesFrom(target->lines);
    return true;
}

void CSectionList::DeleteLineList(LINE_LIST* line) {
    if (!impl_ || !line || !impl_->Owns(line->section)) return;
    impl_->DropLinesFrom(line);
}

void CSectionList::ClearAll() {
    first_ = nullptr;
    if (impl_) impl_->Reset();
}

void CSectionList::Delete() { ClearAll(); }

unsigned long CSectionList::SaveFile(void* file) {
    if (!file) return 87;
    for (SECTION_LIST* section = first_; section; section = section->next) WriteSection(file, section);
    return 0;
}

void CSectionList::WriteSection(void* file, SECTION_LIST* section) {
    if (!file || !section) return;
    std::string out;
    try {
        out.reserve(256);
        out.append("[").append(section->name).append("]\r\n");
        for (LINE_LIST* line = section->lines; line; line = line->next) {
            out.append(line->key);
            if (*line->value) out.append(" = ").append(line->value);
            out.append("\r\n");
        }
        out.append("\r\n");
    } catch (...) {
        return;  // out of memory: nothing written for this section
    }
    setup::profile::WriteBytes(file, out.data(), out.size());
}

void CSectionList::ClearSectionList(SECTION_LIST* section) {
    if (section) *section = SECTION_LIST{nullptr, nullptr, nullptr, nullptr};
}

void CSectionList::ClearLineList(LINE_LIST* line) {
    if (line) *line = LINE_LIST{nullptr, nullptr, nullptr, nullptr, nullptr};
}

void CSectionList::DeleteSectionList(SECTION_LIST* section) {
    if (!impl_ || !impl_->Owns(section)) return;
    if (section->prev) section->prev->next = nullptr;
    else first_ = nullptr;
    impl_->lastSection = section->prev;
    while (section) {
        SECTION_LIST* next = section->next;
        if (section->lines) impl_->DropLinesFrom(section->lines);
        impl_->sections.Erase(NameHash(section->name), section);
        impl_->FreeSection(section);
        section = next;
    }
}

bool CSectionList::AdoptText(std::unique_ptr<char[]> text) {
    if (!impl_ || !text) return false;
    try {
        impl_->texts.push_back(std::move(text));
    } catch (...) {
        return false;
    }
    return true;
}

SECTION_LIST* CSectionList::AddParsedSection(char* name, std::size_t length) {
    if (!impl_) return nullptr;
    std::string_view trimmed = TrimSectionName(std::string_view(name, length));
    if (trimmed.size() > kMaxNameBytes) return nullptr;
    if (SECTION_LIST* existing = impl_->FindSection(trimmed)) return existing;
    char* stored = const_cast<char*>(trimmed.data());
    stored[trimmed.size()] = '\0';
    SectionNode* node = impl_->NewSection(stored);
    if (!node) return nullptr;
    if (!impl_->LinkSection(*this, &node->record, nullptr, trimmed)) {
        impl_->FreeSection(&node->record);
        return nullptr;
    }
    return &node->record;
}

LINE_LIST* CSectionList::AddParsedLine(SECTION_LIST* section, char* key, std::size_t keyLength, char* value,
                                       std::size_t valueLength) {
    if (!impl_ || !section || keyLength > kMaxNameBytes) return nullptr;
    key[keyLength] = '\0';
    value[valueLength] = '\0';
    LINE_LIST* line = impl_->NewLine(section, key, value);
    if (!line) return nullptr;
    impl_->LinkLine(line, nullptr);
    if (!impl_->IndexNewLine(line)) {
        impl_->UnlinkLine(line);
        impl_->FreeLine(line);
        return nullptr;
    }
    return line;
}
