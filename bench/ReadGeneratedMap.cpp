#include "bench/ReadGeneratedMap.h"

#include "bench/CLargeMapGenerator.h"
#include "map/CTolveDoc.h"

namespace {

class CQuietDiagnostics : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override {}
};

} // namespace

void ReadGeneratedMap(CTolveDoc& doc, int brushes, MapFormat format) {
    const GeneratedMap generated = CLargeMapGenerator().GenerateMap(brushes, format);
    CQuietDiagnostics quiet;
    doc.ReadMapText(generated.text.c_str(), quiet);
}
