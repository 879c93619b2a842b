#include "bench/ModelSize.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

size_t EstimateOf(const std::string& text) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(text.c_str(), diagnostics);
    EXPECT_TRUE(diagnostics.m_entries.empty());
    return EstimateModelBytes(doc);
}

const char* const kCube = "{\n\"classname\" \"worldspawn\"\n{\n"
                          "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1\n"
                          "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1\n"
                          "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1\n"
                          "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1\n"
                          "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1\n"
                          "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1\n}\n}\n";

// The same cube with one side tilted through points its rounded corners miss.
const char* const kTiltedCube = "{\n\"classname\" \"worldspawn\"\n{\n"
                                "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1\n"
                                "( 64 0 1 ) ( 65 3 0 ) ( 64 0 0 ) wall 0 0 0 1 1\n"
                                "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1\n"
                                "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1\n"
                                "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1\n"
                                "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1\n}\n}\n";

std::string PointEntity(const std::string& message) {
    return "{\n\"classname\" \"light\"\n\"message\" \"" + message + "\"\n}\n";
}

} // namespace

TEST(EstimateModelBytes, NewDocumentHoldsNothingOfItsOwn) {
    CTolveDoc doc;
    EXPECT_EQ(EstimateModelBytes(doc), 0u);
}

TEST(EstimateModelBytes, CountsEachBrushObjectAndTheListPointingAtIt) {
    const size_t cube = EstimateOf(kCube);
    EXPECT_GE(cube, sizeof(CMapBrush) + sizeof(std::unique_ptr<CMapBrush>));
    EXPECT_LT(cube, sizeof(CMapBrush) + 64);
    const size_t twoCubes = EstimateOf(std::string(kCube) + kCube);
    EXPECT_GE(twoCubes - cube, sizeof(CMapBrush));
}

TEST(EstimateModelBytes, AddsThePlanesKeptForFacesTheCornersNoLongerSpan) {
    // The plane points of the tilted face are kept, one entry.
    EXPECT_EQ(EstimateOf(kTiltedCube) - EstimateOf(kCube),
              sizeof(ReadPlanePoints) + sizeof(KeptPlanePoints));
}

TEST(EstimateModelBytes, CountsLongStringsOnTheHeapButNotShortOnes) {
    const size_t shortText = EstimateOf(PointEntity("hi"));
    EXPECT_EQ(shortText, EstimateOf(PointEntity("a")));
    const std::string longMessage(100, 'x');
    EXPECT_GE(EstimateOf(PointEntity(longMessage)) - shortText, longMessage.size() + 1);
}
