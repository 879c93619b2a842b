#include "framework/CMessageService.h"
#include "fuzz/FuzzTargets.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include <cstdlib>
#include <string>

namespace {

class CIgnoreDiagnostics : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override {}
};

} // namespace

// Reads the bytes as a map, builds every brush, then writes the result and
// reads that back, so the writer sees whatever the reader made of the input.
// A map that can be saved at all saves the same text the second time: what
// was kept as read reads back into the same kept text. The same holds once
// the map is written in the other form (standard or Valve) and read back.
void FuzzMapReader(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    CIgnoreDiagnostics ignore;
    CTolveDoc doc;
    doc.ReadMapText(text, ignore);

    const std::string written = CMapWriter::WriteText(doc.GetContents());
    CTolveDoc again;
    again.ReadMapText(written, ignore);
    if (!CMapWriter::FindUnwritableText(doc) &&
        CMapWriter::WriteText(again.GetContents()) != written)
        std::abort();

    // Converted to the other form, the map read back saves the same text
    // each time.
    MapContents other = doc.GetContents();
    other.format = other.format == MapFormat::kValve ? MapFormat::kStandard : MapFormat::kValve;
    CTolveDoc converted;
    converted.ReadMapText(CMapWriter::WriteText(other), ignore);
    const std::string saved = CMapWriter::WriteText(converted.GetContents());
    CTolveDoc resaved;
    resaved.ReadMapText(saved, ignore);
    if (!CMapWriter::FindUnwritableText(doc) &&
        CMapWriter::WriteText(resaved.GetContents()) != saved)
        std::abort();
}
