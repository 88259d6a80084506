#pragma once
// Shared by the profile tests: a writable file handle of the platform's kind for SaveFile,
// and a profile that parses text without a file.
#include "profile/profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace profile_test {

// A writable file of the kind SaveFile takes: HANDLE on Windows, FILE* natively.
class OutputFile {
public:
    explicit OutputFile(const std::string& path) {
#if defined(_WIN32)
        handle_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) handle_ = nullptr;
#else
        handle_ = std::fopen(path.c_str(), "wb");
#endif
    }
    ~OutputFile() { Close(); }
    void* Get() const { return handle_; }
    void Close() {
        if (!handle_) return;
#if defined(_WIN32)
        CloseHandle(handle_);
#else
        std::fclose(static_cast<std::FILE*>(handle_));
#endif
        handle_ = nullptr;
    }

private:
    void* handle_ = nullptr;
};

// A profile whose main list is parsed from text, with the protected steps opened up.
class TextProfile : public CProfile {
public:
    unsigned long LoadMain(const std::string& text) { return LoadFromMemory(text.data(), text.size(), MainList()); }
    using CProfile::ConvertDefinedString;
    using CProfile::GetStringValue;
    using CProfile::IsSection;
    using CProfile::LoadFile;
};

// The whole model as text: "[name]" lines, then "key|value" per line, in list order.
inline std::string Dump(CSectionList& list) {
    std::string out;
    for (SECTION_LIST* s = list.FindSection(nullptr); s; s = s->next) {
        out += "[" + std::string(s->name) + "]\n";
        for (LINE_LIST* l = s->lines; l; l = l->next) out += std::string(l->key) + "|" + l->value + "\n";
    }
    return out;
}

}  // namespace profile_test
