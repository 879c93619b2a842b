// Peak memory of loading a map: how far the process's high-water mark rises
// while a document reads a file, against the model's own size plus the file.
//
//   tolve_load_memory FILE                 load FILE and report
//   tolve_load_memory --generate N FILE    write an N-brush generated map
//
// Generating runs as a separate process so that its memory does not count.

#include "bench/CLargeMapGenerator.h"
#include "bench/ModelSize.h"
#include "map/CTolveDoc.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

class CCountingDiagnostics : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override { ++m_count; }
    long m_count = 0;
};

struct PeakMemory {
    long maxRssKiB = 0; // getrusage
    long hwmKiB = 0;    // VmHWM of /proc/self/status
    long rssKiB = 0;    // VmRSS, for comparison
};

long StatusField(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(name);
    while (std::getline(status, line)) {
        if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':')
            return std::atol(line.c_str() + length + 1);
    }
    return -1;
}

PeakMemory MeasurePeak() {
    PeakMemory peak;
    struct rusage usage;
    if (::getrusage(RUSAGE_SELF, &usage) == 0)
        peak.maxRssKiB = usage.ru_maxrss;
    peak.hwmKiB = StatusField("VmHWM");
    peak.rssKiB = StatusField("VmRSS");
    return peak;
}

double MiB(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

int GenerateFile(const char* countText, const char* path) {
    char* end = nullptr;
    const long count = std::strtol(countText, &end, 10);
    if (*countText == '\0' || *end != '\0' || count < 1 || count > 10'000'000) {
        std::fprintf(stderr, "tolve_load_memory: brush count must be 1 to 10000000, not \"%s\"\n",
                     countText);
        return 2;
    }
    const GeneratedMap map = CLargeMapGenerator().GenerateMap(static_cast<int>(count));
    std::ofstream file(path, std::ios::binary);
    file.write(map.text.data(), static_cast<std::streamsize>(map.text.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "tolve_load_memory: could not write \"%s\"\n", path);
        return 2;
    }
    std::printf("wrote %s: %ld brushes, %zu bytes\n", path, count, map.text.size());
    return 0;
}

int LoadFile(const char* path) {
    std::error_code error;
    const auto fileSize = std::filesystem::file_size(path, error);
    if (error) {
        std::fprintf(stderr, "tolve_load_memory: %s: %s\n", path, error.message().c_str());
        return 2;
    }
    CTolveDoc doc;
    CCountingDiagnostics diagnostics;
    const PeakMemory before = MeasurePeak();
    if (doc.ReadMapFile(path, diagnostics))
        return 2;
    const PeakMemory after = MeasurePeak();

    long brushes = static_cast<long>(doc.GetWorldBrushes().size());
    for (const auto& entity : doc.GetModelEntities())
        brushes += static_cast<long>(entity->m_brushes.size());
    const double model = static_cast<double>(EstimateModelBytes(doc));
    const double bound = (model + static_cast<double>(fileSize)) * 1.1;
    const double hwmRise = (after.hwmKiB - before.hwmKiB) * 1024.0;
    const double maxRssRise = (after.maxRssKiB - before.maxRssKiB) * 1024.0;

    std::printf("file:                %s\n", path);
    std::printf("file size:           %10.1f MiB\n", MiB(static_cast<double>(fileSize)));
    std::printf("brushes:             %10ld  (%zu brush entities, %zu point entities, "
                "%ld diagnostics)\n",
                brushes, doc.GetModelEntities().size(), doc.GetPointEntities().size(),
                diagnostics.m_count);
    std::printf("model estimate:      %10.1f MiB  (%zu bytes per brush object)\n", MiB(model),
                sizeof(CMapBrush));
    std::printf("peak before/after:   VmHWM %.1f -> %.1f MiB, ru_maxrss %.1f -> %.1f MiB\n",
                before.hwmKiB / 1024.0, after.hwmKiB / 1024.0, before.maxRssKiB / 1024.0,
                after.maxRssKiB / 1024.0);
    std::printf("resident after load: %10.1f MiB (VmRSS rise %.1f MiB)\n", after.rssKiB / 1024.0,
                (after.rssKiB - before.rssKiB) / 1024.0);
    std::printf("peak rise:           %10.1f MiB (VmHWM), %.1f MiB (ru_maxrss)\n", MiB(hwmRise),
                MiB(maxRssRise));
    std::printf("bound (model+file)*1.1: %7.1f MiB -> peak rise is %.2f x (model + file): %s\n",
                MiB(bound), hwmRise / (model + static_cast<double>(fileSize)),
                hwmRise <= bound ? "within" : "ABOVE");
    return diagnostics.m_count == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--generate") == 0)
        return GenerateFile(argv[2], argv[3]);
    if (argc == 2 && argv[1][0] != '-')
        return LoadFile(argv[1]);
    std::fprintf(stderr, "usage: tolve_load_memory FILE\n"
                         "       tolve_load_memory --generate BRUSHES FILE\n");
    return 2;
}
