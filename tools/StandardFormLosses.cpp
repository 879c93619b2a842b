#include "tools/StandardFormLosses.h"

#include "map/CTolveDoc.h"

namespace {

// Enough to find the trouble by; the count tells the rest.
constexpr size_t kMaxListed = 20;

const char* Plural(size_t count, const char* one, const char* many) {
    return count == 1 ? one : many;
}

// Each line of `lines` indented by four spaces.
void PrintIndented(const std::string& lines, FILE* out) {
    size_t start = 0;
    while (start < lines.size()) {
        const size_t end = lines.find('\n', start);
        const std::string line = lines.substr(start, end - start);
        std::fprintf(out, "    %s\n", line.c_str());
        start = end == std::string::npos ? lines.size() : end + 1;
    }
}

} // namespace

StandardFormLosses FindStandardFormLosses(const CTolveDoc& doc) {
    const MapContents contents = doc.GetContents();
    return {FindUnconvertibleFaces(contents), FindKeptValveBrushes(contents)};
}

void PrintRefusal(const StandardFormLosses& losses, const std::string& path, FILE* out) {
    std::fprintf(out,
                 "tolve-map convert: %s cannot be written in the standard form as it is; nothing "
                 "was written:\n",
                 path.c_str());
    if (const size_t count = losses.faces.size()) {
        std::fprintf(out,
                     "  %zu %s no standard texture, the axes being no rotation and scaling of the "
                     "axis plane (--force writes the nearest one):\n",
                     count, Plural(count, "face has", "faces have"));
        PrintIndented(DescribeUnconvertibleFaces(losses.faces, kMaxListed), out);
    }
    if (const size_t count = losses.keptBrushes.size()) {
        std::fprintf(out,
                     "  %zu %s kept as written would stay in the Valve form (--force writes %s "
                     "so):\n",
                     count, Plural(count, "brush", "brushes"), Plural(count, "it", "them"));
        PrintIndented(DescribeUnconvertibleFaces(losses.keptBrushes, kMaxListed), out);
    }
}

void PrintForcedLosses(const StandardFormLosses& losses, FILE* out) {
    if (const size_t count = losses.faces.size())
        std::fprintf(out, "tolve-map convert: %zu %s written with the nearest standard texture\n",
                     count, Plural(count, "face was", "faces were"));
    if (const size_t count = losses.keptBrushes.size())
        std::fprintf(out, "tolve-map convert: %zu %s kept as written, in the Valve form\n", count,
                     Plural(count, "brush was", "brushes were"));
}
