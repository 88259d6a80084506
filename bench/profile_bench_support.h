#pragma once
// Shared by the profile benchmarks: a generated INF-like profile, a counting allocator for
// the memory figure, and a clock.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace profile_bench {

// Live bytes allocated through operator new (the lists allocate nothing else).
inline std::atomic<long long> liveBytes{0};

struct Lookup {
    std::string section, key;
};

// About 50,000 lines and 5 MB: a driver INF with model lists, one install and one file
// section per model, and a Strings section with one entry per model and per file.
struct GeneratedProfile {
    std::string text;
    std::vector<Lookup> keys;  // every (section, key) that exists, for lookups
    std::size_t lines = 0;
};

inline GeneratedProfile Generate(int models = 2650) {
    GeneratedProfile g;
    std::string& t = g.text;
    char line[512];
    auto add = [&](const char* section, const char* key, const char* text) {
        t += text;
        t += "\r\n";
        ++g.lines;
        if (key) g.keys.push_back({section, key});
    };
    add("", nullptr, "; Orvane printer driver package (generated)");
    add("", nullptr, "[Version]");
    add("Version", "Signature", "Signature=\"$Windows NT$\"");
    add("Version", "Class", "Class=Printer");
    add("Version", "Provider", "Provider=%MFG%");
    add("Version", "DriverVer", "DriverVer=12/11/2026,10.4.1.2026 // generated");
    add("", nullptr, "");
    add("", nullptr, "[Manufacturer]");
    add("Manufacturer", "%MFG%", "%MFG%=Models,NTamd64,NTx86");
    add("", nullptr, "");
    add("", nullptr, "[Models.NTamd64]");
    for (int m = 0; m < models; ++m) {
        std::snprintf(line, sizeof(line), "%%MDL%04d%% = INSTALL%04d, USBPRINT\\OrvaneOR-%04d5C1A, ORVANE_OR-%04d, WSDPRINT\\OrvaneOR-%04dPRINTER, LPTENUM\\OrvaneOR-%04d", m, m, m, m, m, m);
        std::snprintf(line + 300, 64, "%%MDL%04d%%", m);
        add("Models.NTamd64", line + 300, line);
    }
    for (int m = 0; m < models; ++m) {
        t += "\r\n";
        std::snprintf(line, sizeof(line), "[INSTALL%04d]", m);
        add("", nullptr, line);
        std::string section = line + 1;
        section.pop_back();
        std::snprintf(line, sizeof(line), "CopyFiles = FILES%04d, COLOR_PROFILES, /* shared */ CORE_FILES", m);
        add(section.c_str(), "CopyFiles", line);
        std::snprintf(line, sizeof(line), "DataFile = OR%04dP.PPD", m);
        add(section.c_str(), "DataFile", line);
        add(section.c_str(), "DriverFile", "DriverFile = ORVANEUNI.DLL");
        add(section.c_str(), "ConfigFile", "ConfigFile = ORVANEUI.DLL");
        std::snprintf(line, sizeof(line), "HelpFile = OR%04dHLP.CHM ; the help of this model", m);
        add(section.c_str(), "HelpFile", line);
        std::snprintf(line, sizeof(line), "Include = ntprint.inf, OR%04dEXT.INF", m);
        add(section.c_str(), "Include", line);
        std::snprintf(line, sizeof(line), "[FILES%04d]", m);
        add("", nullptr, line);
        section = line + 1;
        section.pop_back();
        for (int f = 0; f < 6; ++f) {
            std::snprintf(line, sizeof(line), "OR%04dF%d.GPD,,,0x00000020 ; model file %d of model %04d, copied to the driver folder of the system", m, f, f, m);
            add(section.c_str(), nullptr, line);  // bare lines: not looked up
        }
    }
    t += "\r\n";
    add("", nullptr, "[Strings]");
    add("Strings", "%MFG%", "%MFG% = \"Orvane\"");
    for (int m = 0; m < models * 4; ++m) {
        std::snprintf(line, sizeof(line),
                      "%%MDL%04d%% = \"%%MFG%% OR-%04d series printer driver, variant %d, for the office and production "
                      "printing of colour documents in A3, A4 and letter sizes\"", m, m / 4,
                      m % 4);
        std::snprintf(line + 300, 64, "%%MDL%04d%%", m);
        add("Strings", line + 300, line);
    }
    return g;
}

// 1,000 lookups spread over the whole file, the same in every run.
inline std::vector<Lookup> PickLookups(const GeneratedProfile& g, int count = 1000) {
    std::mt19937 random(20261211);
    std::vector<Lookup> picked;
    for (int i = 0; i < count; ++i) picked.push_back(g.keys[random() % g.keys.size()]);
    return picked;
}

inline double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

template <typename F>
double TimeBest(int runs, F&& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        f();
        double s = Seconds(std::chrono::steady_clock::now() - start);
        if (s < best) best = s;
    }
    return best;
}

}  // namespace profile_bench

// Counting allocator: live bytes are the usable sizes of the blocks handed out.
inline std::size_t BlockSize(void* p) {
#if defined(_WIN32)
    return _msize(p);
#else
    return malloc_usable_size(p);
#endif
}
void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    profile_bench::liveBytes += static_cast<long long>(BlockSize(p));
    return p;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    void* p = std::malloc(size ? size : 1);
    if (p) profile_bench::liveBytes += static_cast<long long>(BlockSize(p));
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& t) noexcept { return operator new(size, t); }
void operator delete(void* p) noexcept {
    if (!p) return;
    profile_bench::liveBytes -= static_cast<long long>(BlockSize(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { operator delete(p); }
