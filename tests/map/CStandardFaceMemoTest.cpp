// Standard faces moved or turned through one memo for a whole map get the
// numbers each gets worked out by itself.
#include "map/CStandardFaceMemo.h"
#include "map/TextureLock.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <tuple>

namespace {

// Cubes alike in their planes whose faces differ in one number each, with
// turned and scaled textures, offsets the fields cannot hold (kept as text),
// and a slanted face: kinds of face a memo must tell apart.
std::string CubesOfManyKindsText() {
    const char* const numbers[] = {"0 0 0 1 1",    "0 0 0 0.5 1",   "0 0 0 1 0.5", "0 0 90 1 1",
                                   "0 0 45 1 1",   "7 -3 30 0.5 2", "0.5 3 0 1 1", "-16 8 270 -1 1",
                                   "0 0 -90 1 -1", "1e9 2 180 1 1"};
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (const char* texture : numbers) {
        const std::string face = std::string(" wall ") + texture + "\n";
        text += "{\n"
                "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 )" +
                face + "( 64 0 7 ) ( 64 3 0 ) ( 64 0 0 )" + face +
                "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 )" + face + "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" +
                face + "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 )" + face +
                "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + face + "}\n";
    }
    return text + "}\n";
}

std::string MapOfCase(const std::string& map) {
    return map.empty() ? CubesOfManyKindsText() : ReadFileText(TestDataPath(map));
}

// A move when `turn` is none.
struct LockedEdit {
    const char* name;
    std::optional<PlaneTurn> turn;
};

void PrintTo(const LockedEdit& edit, std::ostream* out) {
    *out << edit.name;
}

PlaneTurn Turn(PlaneTurn::Kind kind, int h, int v) {
    return {kind, h, v, IntPoint(24, -40, 8)};
}

using Kind = PlaneTurn::Kind;
const LockedEdit kEdits[] = {
    {"Move", std::nullopt},
    {"TurnXToY", Turn(Kind::kTurnHToV, 0, 1)},
    {"TurnYToX", Turn(Kind::kTurnVToH, 0, 1)},
    {"TurnYToZ", Turn(Kind::kTurnHToV, 1, 2)},
    {"TurnXToZ", Turn(Kind::kTurnHToV, 0, 2)},
    {"TurnZToX", Turn(Kind::kTurnVToH, 0, 2)},
    {"MirrorX", Turn(Kind::kMirrorH, 0, 1)},
    {"MirrorY", Turn(Kind::kMirrorV, 0, 1)},
    {"MirrorZ", Turn(Kind::kMirrorV, 1, 2)},
};

// As the map's edits move and turn whole brushes.
void EditBrush(CMapBrush& brush, const LockedEdit& edit, CStandardFaceMemo* memo) {
    if (!edit.turn) {
        const IntPoint delta(8, -24, 40);
        for (int v = 0; v < brush.m_numVertices; ++v) {
            IntPoint& p = brush.m_vertices[v];
            p = IntPoint(p.x + delta.x, p.y + delta.y, p.z + delta.z);
        }
        brush.ForgetReadPlanes();
        MoveTexturesWithBrush(brush, delta, memo);
        return;
    }
    std::vector<Vec3d> directions;
    NoteFaceDirections(brush, directions);
    for (int v = 0; v < brush.m_numVertices; ++v)
        brush.m_vertices[v] = edit.turn->Apply(brush.m_vertices[v]);
    if (edit.turn->Mirrors()) {
        for (int f = 0; f < brush.m_numFaces; ++f) {
            BrushFace& face = brush.m_faces[f];
            std::reverse(face.vertexIndex, face.vertexIndex + face.numPoints);
        }
    }
    brush.ForgetReadPlanes();
    TurnTexturesWithBrush(brush, directions, *edit.turn, true, memo);
}

class StandardFaceMemo : public ::testing::TestWithParam<std::tuple<const char*, LockedEdit>> {};

std::string CaseName(const ::testing::TestParamInfo<std::tuple<const char*, LockedEdit>>& info) {
    std::string map = std::get<0>(info.param);
    map = map.empty() ? "ManyKinds"
                      : map.substr(map.find('/') + 1, map.find('.') - map.find('/') - 1);
    std::erase(map, '_');
    return map + std::get<1>(info.param).name;
}

} // namespace

TEST_P(StandardFaceMemo, GivesEveryFaceWhatItsOwnWorkingOutGives) {
    const auto& [map, edit] = GetParam();
    std::unique_ptr<ReadMap> read = Read(MapOfCase(map));
    const std::vector<const CMapBrush*> brushes = BrushesInOrder(*read->doc);
    ASSERT_GT(brushes.size(), 1u);
    CStandardFaceMemo memo;
    size_t changed = 0;
    for (size_t b = 0; b < brushes.size(); ++b) {
        if (brushes[b]->m_numVertices == 0)
            continue;
        CMapBrush alone = *brushes[b];
        CMapBrush throughMemo = *brushes[b];
        EditBrush(alone, edit, nullptr);
        EditBrush(throughMemo, edit, &memo);
        EXPECT_TRUE(throughMemo == alone) << "brush " << b;
        changed +=
            !std::equal(alone.m_faces, alone.m_faces + alone.m_numFaces, brushes[b]->m_faces);
    }
    // The textures did follow the brushes: there was something to get wrong.
    EXPECT_GT(changed, 0u);
}

INSTANTIATE_TEST_SUITE_P(Maps, StandardFaceMemo,
                         ::testing::Combine(::testing::Values("", "maps/id_e1m1.map",
                                                              "maps/lq_castellated.map"),
                                            ::testing::ValuesIn(kEdits)),
                         CaseName);
