#include "bench/CLargeMapGenerator.h"

#include "TestSupport.h"
#include "map/CMapWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr int kBrushes = 500;

struct ReadGenerated {
    std::string text;
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
};

std::unique_ptr<ReadGenerated> ReadGeneratedText(std::string text) {
    auto read = std::make_unique<ReadGenerated>();
    read->text = std::move(text);
    read->doc.ReadMapText(read->text, read->diagnostics);
    return read;
}

// The same map in both forms, generated and read once for the tests that
// only look.
struct BothForms {
    std::unique_ptr<ReadGenerated> standard;
    std::unique_ptr<ReadGenerated> valve;
};

const BothForms& Maps() {
    static const BothForms s_maps = [] {
        CLargeMapGenerator generator;
        BothForms maps;
        maps.standard = ReadGeneratedText(generator.GenerateMap(kBrushes).text);
        maps.valve = ReadGeneratedText(generator.GenerateMap(kBrushes, MapFormat::kValve).text);
        return maps;
    }();
    return s_maps;
}

// How brush `b` of the Valve map differs from the standard one in corners,
// faces and texture fields; empty when it does not.
std::string Difference(size_t b, const CMapBrush& valve, const CMapBrush& standard) {
    const std::string where = "brush " + std::to_string(b);
    if (valve.m_numVertices != standard.m_numVertices || valve.m_numFaces != standard.m_numFaces)
        return where + ": other counts";
    for (int v = 0; v < valve.m_numVertices; ++v) {
        if (!(valve.m_vertices[v] == standard.m_vertices[v]))
            return where + ", corner " + std::to_string(v);
    }
    for (int f = 0; f < valve.m_numFaces; ++f) {
        const BrushFace& a = valve.m_faces[f];
        const BrushFace& b = standard.m_faces[f];
        const bool same = a.numPoints == b.numPoints &&
                          std::equal(a.vertexIndex, a.vertexIndex + a.numPoints, b.vertexIndex) &&
                          std::string(a.texture) == b.texture && a.xOffset == b.xOffset &&
                          a.yOffset == b.yOffset && a.rotation == b.rotation &&
                          a.xScale == b.xScale && a.yScale == b.yScale;
        if (!same)
            return where + ", face " + std::to_string(f);
    }
    return {};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// A face line up to its texture name: "( x y z ) ( x y z ) ( x y z ) NAME".
std::string PlaneAndName(const std::string& line) {
    size_t end = line.rfind(") ");
    if (end == std::string::npos)
        return line;
    end = line.find(' ', end + 2);
    return line.substr(0, end);
}

} // namespace

TEST(CLargeMapGeneratorValve, ReadsWithoutProblemsIntoTheBrushesOfTheStandardMap) {
    const BothForms& maps = Maps();
    EXPECT_EQ(maps.valve->diagnostics.Messages(), std::vector<std::string>{});
    EXPECT_EQ(maps.standard->diagnostics.Messages(), std::vector<std::string>{});
    const auto valve = BrushesInOrder(maps.valve->doc);
    const auto standard = BrushesInOrder(maps.standard->doc);
    ASSERT_EQ(valve.size(), static_cast<size_t>(kBrushes));
    ASSERT_EQ(standard.size(), valve.size());
    std::vector<std::string> differences;
    for (size_t b = 0; b < valve.size(); ++b) {
        const std::string difference = Difference(b, *valve[b], *standard[b]);
        if (!difference.empty())
            differences.push_back(difference);
    }
    EXPECT_EQ(differences, std::vector<std::string>{});
    EXPECT_EQ(maps.valve->doc.GetModelEntities().size(),
              maps.standard->doc.GetModelEntities().size());
    EXPECT_EQ(maps.valve->doc.GetPointEntities().size(),
              maps.standard->doc.GetPointEntities().size());
}

TEST(CLargeMapGeneratorValve, EveryBrushCarriesExactValveAxes) {
    const CTolveDoc& doc = Maps().valve->doc;
    EXPECT_EQ(doc.m_mapFormat, MapFormat::kValve);
    EXPECT_EQ(doc.m_mapGame, MapGame::kQuake);
    EXPECT_EQ(Maps().standard->doc.m_mapFormat, MapFormat::kStandard);
    int withoutAxes = 0, withKeptTexture = 0;
    for (const CMapBrush* brush : BrushesInOrder(doc)) {
        withoutAxes += brush->m_valveAxes.size() != brush->m_numFaces;
        // Every number is written as the writer writes it, so no text is kept.
        withKeptTexture += brush->m_keptText != nullptr;
    }
    EXPECT_EQ(withoutAxes, 0);
    EXPECT_EQ(withKeptTexture, 0);
}

// A Valve face keeps the plane points it was read with for its own form;
// written in the standard form it takes the points a standard face of the
// same plane is written through. So the conversion is the standard map.
TEST(CLargeMapGeneratorValve, WrittenInTheStandardFormIsTheStandardMap) {
    const BothForms& maps = Maps();
    MapContents contents = maps.valve->doc.GetContents();
    contents.format = MapFormat::kStandard;
    const std::string converted = CMapWriter::WriteText(contents);
    const std::string standard = CMapWriter::WriteText(maps.standard->doc.GetContents());
    const std::vector<std::string> convertedLines = Lines(converted);
    const std::vector<std::string> standardLines = Lines(standard);
    ASSERT_EQ(convertedLines.size(), standardLines.size());
    std::vector<size_t> differing;
    for (size_t i = 0; i < convertedLines.size(); ++i) {
        if (convertedLines[i] != standardLines[i])
            differing.push_back(i);
    }
    EXPECT_EQ(differing, std::vector<size_t>{});
}

TEST(CLargeMapGeneratorValve, ASecondSaveGivesTheSameBytes) {
    const std::string first = CMapWriter::WriteText(Maps().valve->doc.GetContents());
    EXPECT_NE(first.find("\t\"mapversion\" \"220\"\n"), std::string::npos);
    const auto reread = ReadGeneratedText(first);
    EXPECT_TRUE(reread->diagnostics.m_entries.empty());
    EXPECT_EQ(reread->doc.m_mapFormat, MapFormat::kValve);
    EXPECT_EQ(CMapWriter::WriteText(reread->doc.GetContents()), first);
}

TEST(CLargeMapGeneratorValve, OnlyTheTexturesOfTheFaceLinesAndTheVersionDiffer) {
    std::vector<std::string> valve = Lines(Maps().valve->text);
    const std::vector<std::string> standard = Lines(Maps().standard->text);
    ASSERT_GT(valve.size(), 2u);
    EXPECT_EQ(valve[1], "\"classname\" \"worldspawn\"");
    EXPECT_EQ(valve[2], "\"mapversion\" \"220\"");
    valve.erase(valve.begin() + 2);
    ASSERT_EQ(valve.size(), standard.size());
    int faceLines = 0;
    std::vector<size_t> differing;
    for (size_t i = 0; i < valve.size(); ++i) {
        const bool face = standard[i].starts_with("( ");
        faceLines += face;
        const bool same = face ? PlaneAndName(valve[i]) == PlaneAndName(standard[i]) &&
                                     valve[i].find(" [ ") != std::string::npos
                               : valve[i] == standard[i];
        if (!same)
            differing.push_back(i);
    }
    EXPECT_GT(faceLines, kBrushes * 5);
    EXPECT_EQ(differing, std::vector<size_t>{});
}

TEST(CLargeMapGeneratorValve, AValveMapLeavesTheNextStandardMapAsItWas) {
    CLargeMapGenerator generator;
    const std::string before = generator.GenerateMap(50).text;
    const std::string valve = generator.GenerateMap(50, MapFormat::kValve).text;
    EXPECT_NE(valve, before);
    EXPECT_EQ(generator.GenerateMap(50).text, before);
    EXPECT_EQ(generator.GenerateMap(50, MapFormat::kValve).text, valve);
}
