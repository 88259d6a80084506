// Parse throughput, memory per byte of file and lookup cost of CProfile on a generated
// INF-like profile. Built natively and for Windows (run under Wine); prints figures only.
#include "profile/profile.h"

#include "profile_bench_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace profile_bench;

int main() {
    GeneratedProfile generated = Generate();
    std::filesystem::path path = std::filesystem::temp_directory_path() / "profile_core_bench.inf";
    {
        std::ofstream out(path, std::ios::binary);
        out << generated.text;
    }
    const std::string file = path.string();
    const double megabytes = static_cast<double>(generated.text.size()) / (1024.0 * 1024.0);
    std::printf("profile: %zu bytes, %zu lines, %zu keys\n", generated.text.size(), generated.lines,
                generated.keys.size());

    double loadSeconds = TimeBest(5, [&] { CProfile p(file.c_str(), nullptr); });
    std::printf("load (read + parse):  %8.1f ms  %8.1f MB/s\n", loadSeconds * 1e3, megabytes / loadSeconds);

    long long before = liveBytes.load();
    CProfile profile(file.c_str(), nullptr);
    long long cost = liveBytes.load() - before;
    std::printf("memory:               %8.2f bytes per byte of file (%lld bytes)\n",
                static_cast<double>(cost) / static_cast<double>(generated.text.size()), cost);

    std::vector<Lookup> lookups = PickLookups(generated);
    char buffer[4096];
    int missing = 0;
    double lookupSeconds = TimeBest(20, [&] {
        for (const Lookup& l : lookups)
            if (profile.GetString(l.section.c_str(), l.key.c_str(), buffer, sizeof(buffer), false) != 0) ++missing;
    });
    std::printf("GetString:            %8.0f ns per lookup (%zu lookups, %d missing)\n",
                lookupSeconds * 1e9 / static_cast<double>(lookups.size()), lookups.size(), missing);

    std::filesystem::remove(path);
    return missing ? 1 : 0;
}
