#pragma once
// A scratch folder under the temporary path that goes, with everything in it, when its owner
// goes. Its name holds the process id and a running number, and a name already taken (by a
// parallel program or a crashed run) is skipped, so no two owners ever share a folder.
#include <filesystem>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace test_support {

// Deletes path and everything below it. A link (symbolic link, junction) is removed itself and
// never entered, so nothing outside path goes with it.
inline void RemoveTree(const std::string& path) {
#if defined(_WIN32)
    // The C++ library on mingw follows junctions; the attributes tell them apart.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name != "." && name != "..") RemoveTree(path + "\\" + name);
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
    }
    RemoveDirectoryA(path.c_str());
#else
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);  // removes links without following them
#endif
}

class ScratchFolder {
public:
    // Creates <temp>/<prefix>-<process id>-<number>; Created() tells whether that worked.
    explicit ScratchFolder(const std::string& prefix) {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        if (error) return;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = prefix + "-" + std::to_string(ProcessId()) + "-" + std::to_string(NextNumber()++);
            const std::filesystem::path candidate = base / name;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate.string();
                name_ = std::move(name);
                return;
            }
            if (error) return;  // anything but "already there" will not get better
        }
    }
    ~ScratchFolder() {
        if (Created()) RemoveTree(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Created() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    // The folder's own name, unique like the folder: usable for other scratch objects.
    const std::string& Name() const { return name_; }
    // Empty without a folder, so that nothing gets written beside the temporary path.
    std::string File(const std::string& relative) const {
        if (!Created()) return {};
        return path_ + static_cast<char>(std::filesystem::path::preferred_separator) + relative;
    }

private:
    static unsigned long ProcessId() {
#if defined(_WIN32)
        return GetCurrentProcessId();
#else
        return static_cast<unsigned long>(getpid());
#endif
    }
    static int& NextNumber() {
        static int number = 0;
        return number;
    }

    std::string path_;
    std::string name_;
};

}  // namespace test_support
