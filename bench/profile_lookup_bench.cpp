// CProfile against the platform's GetPrivateProfileStringA on the same generated INF-like
// file in the same run: per-lookup cost and ratio, parse throughput and memory per byte of
// file. Windows only (runs under Wine); prints figures only.
#include "profile/profile.h"

#include "profile_bench_support.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

using namespace profile_bench;

namespace {

std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH) return name;
    return std::string(folder) + name;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters)))
        return 0;
    return counters.PrivateUsage;
}

}  // namespace

int main() {
    GeneratedProfile generated = Generate();
    const std::string path = TempFile("profile_lookup_bench.inf");
    if (!WriteWhole(path, generated.text)) {
        std::printf("cannot write %s\n", path.c_str());
        return 1;
    }
    const double bytes = static_cast<double>(generated.text.size());
    std::printf("profile: %zu bytes, %zu lines, %zu keys\n", generated.text.size(), generated.lines,
                generated.keys.size());

    double loadSeconds = TimeBest(5, [&] { CProfile p(path.c_str(), nullptr); });
    std::printf("CProfile load:            %10.1f ms   %8.1f MB/s\n", loadSeconds * 1e3,
                bytes / (1024.0 * 1024.0) / loadSeconds);

    long long heapBefore = liveBytes.load();
    SIZE_T privateBefore = PrivateBytes();
    CProfile profile(path.c_str(), nullptr);
    long long heapCost = liveBytes.load() - heapBefore;
    SIZE_T privateAfter = PrivateBytes();
    std::printf("CProfile memory:          %10.2f bytes per byte of file (heap %lld bytes; private bytes +%lld)\n",
                static_cast<double>(heapCost) / bytes, heapCost,
                static_cast<long long>(privateAfter) - static_cast<long long>(privateBefore));

    std::vector<Lookup> lookups = PickLookups(generated);
    char ours[4096], theirs[4096];
    int mismatches = 0;
    std::printf("values compared (the platform reader keeps /* */ and // comments in values):\n");
    for (const Lookup& l : lookups) {
        // Raw values on both sides: GetPrivateProfileStringA knows no references.
        LINE_LIST* line = profile.MainList().FindKey(profile.MainList().FindSection(l.section.c_str()), l.key.c_str(), 0);
        GetPrivateProfileStringA(l.section.c_str(), l.key.c_str(), "<none>", theirs, sizeof(theirs), path.c_str());
        std::string expected = line ? line->value : "<missing>";
        if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"')
            expected = expected.substr(1, expected.size() - 2);  // the platform strips one pair of quotes
        if (expected != theirs && ++mismatches <= 3)
            std::printf("  differs: [%s] %s: CProfile \"%s\", platform \"%s\"\n", l.section.c_str(), l.key.c_str(),
                        expected.c_str(), theirs);
    }

    double oursSeconds = TimeBest(10, [&] {
        for (const Lookup& l : lookups) profile.GetString(l.section.c_str(), l.key.c_str(), ours, sizeof(ours), false);
    });
    double theirsSeconds = TimeBest(2, [&] {
        for (const Lookup& l : lookups)
            GetPrivateProfileStringA(l.section.c_str(), l.key.c_str(), "", theirs, sizeof(theirs), path.c_str());
    });
    const double n = static_cast<double>(lookups.size());
    std::printf("CProfile::GetString:      %10.0f ns per lookup\n", oursSeconds * 1e9 / n);
    std::printf("GetPrivateProfileStringA: %10.0f ns per lookup\n", theirsSeconds * 1e9 / n);
    std::printf("ratio:                    %10.0fx faster (%zu lookups, %d values differing)\n",
                theirsSeconds / oursSeconds, lookups.size(), mismatches);

    DeleteFileA(path.c_str());
    return 0;
}
