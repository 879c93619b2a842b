#include "framework/CMessageService.h"
#include "fuzz/FuzzTargets.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include <string>

namespace {

class CIgnoreDiagnostics : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override {}
};

} // namespace

// Reads the bytes as a map, builds every brush, then writes the result and
// reads that back, so the writer sees whatever the reader made of the input.
void FuzzMapReader(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    CIgnoreDiagnostics ignore;
    CTolveDoc doc;
    doc.ReadMapText(text, ignore);

    std::string written;
    CMapWriter writer(doc, [&](const char* bytes, size_t count) {
        written.append(bytes, count);
        return true;
    });
    writer.WriteMap();
    CTolveDoc again;
    again.ReadMapText(written, ignore);
}
