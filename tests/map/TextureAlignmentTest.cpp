// The texture alignment commands' arithmetic, checked where it counts: the
// texels the compilers put at a face's corners.
#include "map/CMapHistory.h"
#include "map/TextureAlignEdits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

// A wedge rising along x: floor (0..128, 0..64) at z 0, a slope up to z 64 at
// x 128, and the wall there. Standard lines take `slope` for the slope and
// `wall` for the east wall; the others carry plain numbers.
std::string WedgeMap(bool valve, const std::string& slope, const std::string& wall) {
    const std::string plain = valve ? " t [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n" : " t 0 0 0 1 1\n";
    const std::string side = valve ? " t [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n" : plain;
    return std::string("{\n\"classname\" \"worldspawn\"\n") +
           (valve ? "\"mapversion\" \"220\"\n" : "") + "{\n( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" + plain +
           "( 128 0 64 ) ( 0 0 0 ) ( 0 64 0 ) " + slope + "\n( 128 0 1 ) ( 128 1 0 ) " +
           "( 128 0 0 ) " + wall + "\n( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" + side +
           "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + side + "}\n}\n";
}

// A box from (x0, 0, 0) to (96, 64, 64) whose top carries `top`.
std::string BoxMap(const std::string& top, int x0 = 0) {
    const std::string plain = " t 0 0 0 1 1\n";
    const std::string x = std::to_string(x0);
    return "{\n\"classname\" \"worldspawn\"\n{\n( " + x + " 0 1 ) ( " + x + " -1 0 ) ( " + x +
           " 0 0 )" + plain + "( 96 0 1 ) ( 96 1 0 ) ( 96 0 0 )" + plain +
           "( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" + plain + "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + plain +
           "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" + plain + "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) " + top +
           "\n}\n}\n";
}

constexpr double kRootFive = 2.23606797749979;

// One face of each kind the commands meet, with the axes the compilers give
// its axis plane: standard faces turned, mirrored and slanted; Valve faces
// slanted with axes in their plane, and upright with turned axes.
struct FaceCase {
    const char* name;
    std::string map;
    Vec3d normal;
    Vec3d baseU, baseV;
};

const FaceCase kFaces[] = {
    {"StandardTurnedMirroredTop", BoxMap("t 5 7 90 2 -0.5"), {0, 0, 1}, {1, 0, 0}, {0, -1, 0}},
    {"StandardSlope",
     WedgeMap(false, "t 0 0 0 1 1", "t 0 0 0 1 1"),
     {-1 / kRootFive, 0, 2 / kRootFive},
     {1, 0, 0},
     {0, -1, 0}},
    {"ValveSlope",
     WedgeMap(true, "t [ 0.894427190999916 0 0.447213595499958 3 ] [ 0 -1 0 -4 ] 0 0.5 2",
              "t [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1"),
     {-1 / kRootFive, 0, 2 / kRootFive},
     {1, 0, 0},
     {0, -1, 0}},
    {"ValveTurnedWall",
     WedgeMap(true, "t [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1",
              "t [ 0 0.6 0.8 10.5 ] [ 0 0.8 -0.6 0.25 ] 53.13 1 1.5"),
     {1, 0, 0},
     {0, 1, 0},
     {0, 0, -1}},
};

// What the test reads of the face before the command.
struct Before {
    TexelMapping mapping;
    std::vector<Vec3d> corners;
    const FaceCase& face;

    // The face's coordinates along the axes, before the scales: P . u, P . v.
    double A(const Vec3d& p) const { return Dot(p, mapping.axes.u); }
    double B(const Vec3d& p) const { return Dot(p, mapping.axes.v); }
};

using Check = std::function<void(const Before&, const TexelMapping&)>;

struct CommandCase {
    const char* name;
    FaceAligner align;
    Check check;
    bool standardRefuses = false;
};

std::optional<std::string> Done() {
    return std::nullopt;
}

// Every corner shows the texel `expected` gives for it.
Check AtCorners(std::function<std::pair<double, double>(const Before&, const Vec3d&)> expected) {
    return [expected](const Before& before, const TexelMapping& after) {
        for (const Vec3d& p : before.corners) {
            const auto [s, t] = expected(before, p);
            EXPECT_NEAR(after.S(p), s, 1e-6) << p.x << " " << p.y << " " << p.z;
            EXPECT_NEAR(after.T(p), t, 1e-6) << p.x << " " << p.y << " " << p.z;
        }
    };
}

// A turn of the rotation by `degrees` turns (P . u, P . v) that way about
// the texture's origin; the offsets stay.
Check TurnedBy(double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return AtCorners([=](const Before& b, const Vec3d& p) {
        const double a = b.A(p) * std::cos(radians) - b.B(p) * std::sin(radians);
        const double c = b.A(p) * std::sin(radians) + b.B(p) * std::cos(radians);
        return std::pair{a / b.mapping.xScale + b.mapping.axes.uOffset,
                         c / b.mapping.yScale + b.mapping.axes.vOffset};
    });
}

double ScaledUp(double scale, double step) {
    return static_cast<float>(std::copysign(std::fabs(scale) + step, scale));
}

// The texels along one axis run across the face mirrored: the lowest corner
// shows what the highest did.
Check Mirrored(bool horizontally) {
    return AtCorners([=](const Before& b, const Vec3d& p) {
        double low = HUGE_VAL, high = -HUGE_VAL;
        for (const Vec3d& q : b.corners) {
            const double texel = horizontally ? b.mapping.S(q) : b.mapping.T(q);
            low = std::min(low, texel);
            high = std::max(high, texel);
        }
        return horizontally ? std::pair{low + high - b.mapping.S(p), b.mapping.T(p)}
                            : std::pair{b.mapping.S(p), low + high - b.mapping.T(p)};
    });
}

// The corners span exactly one texture of 64 x 32, from one of its edges.
void ExpectFittedOnce(const Before& before, const TexelMapping& after) {
    double lowS = HUGE_VAL, highS = -HUGE_VAL, lowT = HUGE_VAL, highT = -HUGE_VAL;
    for (const Vec3d& p : before.corners) {
        lowS = std::min(lowS, after.S(p));
        highS = std::max(highS, after.S(p));
        lowT = std::min(lowT, after.T(p));
        highT = std::max(highT, after.T(p));
    }
    EXPECT_NEAR(highS - lowS, 64.0, 1e-4);
    EXPECT_NEAR(highT - lowT, 32.0, 1e-4);
    EXPECT_NEAR(std::remainder(lowS, 64.0), 0.0, 1e-4);
    EXPECT_NEAR(std::remainder(lowT, 32.0), 0.0, 1e-4);
}

// Twice the area the corners enclose in the texture, signed: a texture seen
// mirrored on the face changes its sign.
double TexelArea(const std::vector<Vec3d>& corners, const TexelMapping& mapping) {
    double area = 0.0;
    for (size_t i = 0; i < corners.size(); ++i) {
        const Vec3d& p = corners[i];
        const Vec3d& q = corners[(i + 1) % corners.size()];
        area += mapping.S(p) * mapping.T(q) - mapping.S(q) * mapping.T(p);
    }
    return area;
}

// The longest edge runs along the texture's top row from its corner, as
// far in texels as it is long over the scale, and the texture is not
// mirrored.
void ExpectAlongLongestEdge(const Before& before, const TexelMapping& after) {
    EXPECT_GT(TexelArea(before.corners, before.mapping) * TexelArea(before.corners, after), 0.0);
    const std::vector<Vec3d>& c = before.corners;
    size_t longest = 0;
    for (size_t i = 1; i < c.size(); ++i) {
        if (Length(c[(i + 1) % c.size()] - c[i]) > Length(c[(longest + 1) % c.size()] - c[longest]))
            longest = i;
    }
    const Vec3d& p = c[longest];
    const Vec3d& q = c[(longest + 1) % c.size()];
    EXPECT_NEAR(after.T(p), 0.0, 1e-6);
    EXPECT_NEAR(after.T(q), 0.0, 1e-6);
    EXPECT_NEAR(std::min(after.S(p), after.S(q)), 0.0, 1e-6);
    EXPECT_NEAR(std::fabs(after.S(q) - after.S(p)), Length(q - p) / after.xScale, 1e-6);
}

const CommandCase kCommands[] = {
    {"ShiftLeftBySnap",
     [](FaceAlignment& f) {
         ShiftTexture(f, 8, 0);
         return Done();
     },
     AtCorners([](const Before& b, const Vec3d& p) {
         return std::pair{b.mapping.S(p) + 8, b.mapping.T(p)};
     })},
    {"ShiftDownOneUnit",
     [](FaceAlignment& f) {
         ShiftTexture(f, 0, -1);
         return Done();
     },
     AtCorners([](const Before& b, const Vec3d& p) {
         return std::pair{b.mapping.S(p), b.mapping.T(p) - 1};
     })},
    {"RotatePlus15",
     [](FaceAlignment& f) {
         RotateTexture(f, 15);
         return Done();
     },
     TurnedBy(15)},
    {"RotateMinus1",
     [](FaceAlignment& f) {
         RotateTexture(f, -1);
         return Done();
     },
     TurnedBy(-1)},
    {"ScaleUp", [](FaceAlignment& f) { return ScaleTexture(f, 0.1); },
     AtCorners([](const Before& b, const Vec3d& p) {
         return std::pair{b.A(p) / ScaledUp(b.mapping.xScale, 0.1) + b.mapping.axes.uOffset,
                          b.B(p) / ScaledUp(b.mapping.yScale, 0.1) + b.mapping.axes.vOffset};
     })},
    {"ScaleDown", [](FaceAlignment& f) { return ScaleTexture(f, -0.1); },
     AtCorners([](const Before& b, const Vec3d& p) {
         return std::pair{b.A(p) / ScaledUp(b.mapping.xScale, -0.1) + b.mapping.axes.uOffset,
                          b.B(p) / ScaledUp(b.mapping.yScale, -0.1) + b.mapping.axes.vOffset};
     })},
    {"FlipHorizontally",
     [](FaceAlignment& f) {
         FlipTexture(f, true);
         return Done();
     },
     Mirrored(true)},
    {"FlipVertically",
     [](FaceAlignment& f) {
         FlipTexture(f, false);
         return Done();
     },
     Mirrored(false)},
    {"Fit", [](FaceAlignment& f) { return FitTexture(f, 64, 32); }, ExpectFittedOnce},
    {"Reset",
     [](FaceAlignment& f) {
         ResetTexture(f);
         return Done();
     },
     AtCorners([](const Before& b, const Vec3d& p) {
         return std::pair{Dot(p, b.face.baseU), Dot(p, b.face.baseV)};
     })},
    {"AlignToEdge", AlignTextureToEdge, ExpectAlongLongestEdge, true},
};

int FindFace(const CMapBrush& brush, const Vec3d& normal) {
    for (int f = 0; f < brush.m_numFaces; ++f) {
        if (Length(GetFaceNormal(brush, f) - normal) < 1e-9)
            return f;
    }
    ADD_FAILURE() << "no face of that normal";
    return 0;
}

class TextureAlignment
    : public ::testing::TestWithParam<std::tuple<const FaceCase*, const CommandCase*>> {};

TEST_P(TextureAlignment, PutsTheExpectedTexelsAtTheCorners) {
    const auto [face, command] = GetParam();
    const std::unique_ptr<ReadMap> read = Read(face->map);
    ASSERT_TRUE(read->diagnostics.m_entries.empty());
    CTolveDoc& doc = *read->doc;
    CMapBrush& brush = *doc.GetWorldBrushes().at(0);
    const int f = FindFace(brush, face->normal);
    std::vector<Vec3d> corners;
    for (int k = 0; k < brush.m_faces[f].numPoints; ++k)
        corners.push_back(ToVec3d(brush.m_vertices[brush.m_faces[f].vertexIndex[k]]));
    const Before before{GetTexelMapping(brush, f), corners, *face};
    const std::string text = MapText(doc);

    const std::optional<std::string> refusal =
        AlignFaces(doc, {{&brush, f}}, "Align", command->align);
    if (command->standardRefuses && !brush.HasValveAxes()) {
        ASSERT_TRUE(refusal.has_value());
        EXPECT_NE(refusal->find("Valve 220"), std::string::npos) << *refusal;
        EXPECT_EQ(MapText(doc), text);
        EXPECT_FALSE(doc.GetHistory().CanUndo());
        return;
    }
    ASSERT_FALSE(refusal.has_value()) << *refusal;
    command->check(before, GetTexelMapping(brush, f));
    // Read back as saved: the file says what the face shows.
    const std::unique_ptr<ReadMap> saved = Read(MapText(doc));
    command->check(before, GetTexelMapping(*saved->doc->GetWorldBrushes().at(0), f));
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), text);
}

std::vector<const FaceCase*> AllFaces() {
    std::vector<const FaceCase*> faces;
    for (const FaceCase& face : kFaces)
        faces.push_back(&face);
    return faces;
}

std::vector<const CommandCase*> AllCommands() {
    std::vector<const CommandCase*> commands;
    for (const CommandCase& command : kCommands)
        commands.push_back(&command);
    return commands;
}

INSTANTIATE_TEST_SUITE_P(EveryFaceKind, TextureAlignment,
                         ::testing::Combine(::testing::ValuesIn(AllFaces()),
                                            ::testing::ValuesIn(AllCommands())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)->name) + "_" +
                                    std::get<1>(info.param)->name;
                         });

// A standard face holds whole offsets only: a fit that starts the texture a
// fraction of a texel in is refused, and the map stays as it was.
TEST(TextureAlignmentRefusal, AStandardFitNeedingAFractionalOffsetIsRefused) {
    const std::unique_ptr<ReadMap> read = Read(BoxMap("t 0 0 0 1 1", 16));
    CTolveDoc& doc = *read->doc;
    CMapBrush& brush = *doc.GetWorldBrushes().at(0);
    const int top = FindFace(brush, {0, 0, 1});
    const std::string text = MapText(doc);
    // From 16 to 96 along x: a scale of 1.25 starts the texture at 16 / 1.25
    // = 12.8 texels.
    const std::optional<std::string> refusal = AlignFaces(
        doc, {{&brush, top}}, "Fit", [](FaceAlignment& f) { return FitTexture(f, 64, 64); });
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->find("whole offsets"), std::string::npos) << *refusal;
    EXPECT_EQ(MapText(doc), text);
}

} // namespace

namespace {

TexelMapping MappingOf(const FaceAlignment& face) {
    return {face.axes, face.xScale, face.yScale};
}

// A far Valve box beside the wedge, sharing no edge with it.
std::string WedgeAndFarBoxMap() {
    std::string text =
        WedgeMap(true, "t [ 0.894427190999916 0 0.447213595499958 3 ] [ 0 -1 0 -4 ] 12 0.5 2",
                 "t [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1");
    const std::string plain = " far [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n";
    text.insert(text.size() - 2, "{\n( 512 0 1 ) ( 512 -1 0 ) ( 512 0 0 )" + plain +
                                     "( 576 0 1 ) ( 576 1 0 ) ( 576 0 0 )" + plain +
                                     "( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" + plain +
                                     "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + plain +
                                     "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" + plain +
                                     "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + plain + "}\n");
    return text;
}

TEST(TexturePaste, WrapsRoundSharedEdgesChangesOnlyTheTargetsAndUndoesToTheSameFile) {
    const std::unique_ptr<ReadMap> read = Read(WedgeAndFarBoxMap());
    ASSERT_TRUE(read->diagnostics.m_entries.empty());
    CTolveDoc& doc = *read->doc;
    CMapBrush& wedge = *doc.GetWorldBrushes().at(0);
    CMapBrush& box = *doc.GetWorldBrushes().at(1);
    const int slope = FindFace(wedge, {-1 / kRootFive, 0, 2 / kRootFive});
    const int wall = FindFace(wedge, {1, 0, 0});
    const int floor = FindFace(wedge, {0, 0, -1});
    const int top = FindFace(box, {0, 0, 1});
    const FaceAlignment source = ReadFaceAlignment(wedge, slope, doc.m_mapFormat);
    const CMapBrush wedgeBefore = wedge, boxBefore = box;
    const std::string text = MapText(doc);

    ASSERT_FALSE(AlignFaces(doc, {{&wedge, wall}, {&wedge, floor}, {&box, top}}, "Paste",
                            [&source](FaceAlignment& face) {
                                PasteTexture(face, source);
                                return Done();
                            }));

    // The slope meets the wall along its top edge and the floor along its
    // foot: the texture goes on over both without a seam, and a path across
    // the edge, square to it, runs straight on in the texture.
    const TexelMapping slopeMapping = MappingOf(source);
    const struct {
        int face;
        Vec3d edge[2];
        Vec3d intoSlope, intoFace; // square to the edge
    } wraps[] = {
        {wall, {{128, 0, 64}, {128, 64, 64}}, Vec3d{-2, 0, -1} * (1 / kRootFive), {0, 0, -1}},
        {floor, {{0, 0, 0}, {0, 64, 0}}, Vec3d{2, 0, 1} * (1 / kRootFive), {1, 0, 0}},
    };
    for (const auto& wrap : wraps) {
        const TexelMapping pasted = GetTexelMapping(wedge, wrap.face);
        for (const Vec3d& p : wrap.edge) {
            EXPECT_NEAR(pasted.S(p), slopeMapping.S(p), 1e-9) << wrap.face;
            EXPECT_NEAR(pasted.T(p), slopeMapping.T(p), 1e-9) << wrap.face;
        }
        const Vec3d& e = wrap.edge[0];
        const Vec3d onSlope = e + wrap.intoSlope * 16, onFace = e + wrap.intoFace * 16;
        EXPECT_NEAR(pasted.S(onFace) - pasted.S(e), slopeMapping.S(e) - slopeMapping.S(onSlope),
                    1e-9);
        EXPECT_NEAR(pasted.T(onFace) - pasted.T(e), slopeMapping.T(e) - slopeMapping.T(onSlope),
                    1e-9);
        EXPECT_EQ(wedge.m_faces[wrap.face].xScale, 0.5f);
    }
    // The far top shares no edge: the name, numbers and scales, on its own
    // axis plane.
    EXPECT_STREQ(box.m_faces[top].texture, "t");
    EXPECT_EQ(box.m_faces[top].rotation, 12.0f);
    EXPECT_EQ(box.m_faces[top].yScale, 2.0f);
    const TexelMapping far = GetTexelMapping(box, top);
    const Vec3d corner = ToVec3d(box.m_vertices[box.m_faces[top].vertexIndex[0]]);
    const StandardTexture numbers{3, -4, 12, 0.5, 2};
    const TexelMapping expected{MakeValveAxes({0, 0, 1}, numbers), 0.5, 2};
    EXPECT_NEAR(far.S(corner), expected.S(corner), 1e-9);
    EXPECT_NEAR(far.T(corner), expected.T(corner), 1e-9);
    // Nothing else changed.
    for (int f = 0; f < wedge.m_numFaces; ++f) {
        if (f == wall || f == floor)
            continue;
        EXPECT_EQ(wedge.m_faces[f], wedgeBefore.m_faces[f]) << f;
        EXPECT_EQ(wedge.m_valveAxes[f], wedgeBefore.m_valveAxes[f]) << f;
    }
    for (int f = 0; f < box.m_numFaces; ++f) {
        if (f != top) {
            EXPECT_EQ(box.m_valveAxes[f], boxBefore.m_valveAxes[f]) << f;
        }
    }
    EXPECT_NE(MapText(doc), text);

    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), text);
}

} // namespace
