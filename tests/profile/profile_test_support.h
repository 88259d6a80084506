#pragma once
// Shared by the profile tests: a scratch folder, whole-file helpers, a writable file handle
// of the platform's kind for SaveFile, and a profile that parses text without a file.
#include "profile/profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace profile_test {

class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        auto base = std::filesystem::temp_directory_path();
        path_ = base / ("profiletest-" + std::to_string(std::rand()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

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
