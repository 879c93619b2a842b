#include "map/BrushGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Recorder {
    std::vector<std::string> messages;
    GeometryReport Report() {
        return [this](std::string_view message) { messages.emplace_back(message); };
    }
};

FaceDef Face(IntPoint a, IntPoint b, IntPoint c, const char* texture = "wall") {
    FaceDef face;
    face.points[0] = a;
    face.points[1] = b;
    face.points[2] = c;
    std::strncpy(face.texture, texture, kMaxTextureName);
    face.xScale = face.yScale = 1.0f;
    return face;
}

// The six faces of an axis-aligned box, each plane pointing outward.
BrushDef Box(IntPoint lo, IntPoint hi) {
    BrushDef def;
    def.faces[0] = Face({lo.x, 0, 1}, {lo.x, -1, 0}, {lo.x, 0, 0});
    def.faces[1] = Face({hi.x, 0, 1}, {hi.x, 1, 0}, {hi.x, 0, 0});
    def.faces[2] = Face({0, lo.y, 1}, {1, lo.y, 0}, {0, lo.y, 0});
    def.faces[3] = Face({0, hi.y, 1}, {-1, hi.y, 0}, {0, hi.y, 0});
    def.faces[4] = Face({0, 1, lo.z}, {-1, 0, lo.z}, {0, 0, lo.z});
    def.faces[5] = Face({0, 1, hi.z}, {1, 0, hi.z}, {0, 0, hi.z});
    def.numFaces = 6;
    return def;
}

// Outward normal of a built face, from its first three corners.
void FaceNormal(const CMapBrush& brush, int f, int64_t n[3]) {
    const IntPoint& p = brush.m_vertices[brush.m_faces[f].vertexIndex[0]];
    const IntPoint& q = brush.m_vertices[brush.m_faces[f].vertexIndex[1]];
    const IntPoint& r = brush.m_vertices[brush.m_faces[f].vertexIndex[2]];
    int64_t a[3] = {p.x - q.x, p.y - q.y, p.z - q.z};
    int64_t b[3] = {r.x - q.x, r.y - q.y, r.z - q.z};
    n[0] = a[1] * b[2] - a[2] * b[1];
    n[1] = a[2] * b[0] - a[0] * b[2];
    n[2] = a[0] * b[1] - a[1] * b[0];
}

// Every vertex lies on or behind every face plane: the brush is convex and its
// faces point outward.
void ExpectConvexAndOutward(const CMapBrush& brush) {
    for (int f = 0; f < brush.m_numFaces; ++f) {
        int64_t n[3];
        FaceNormal(brush, f, n);
        const IntPoint& q = brush.m_vertices[brush.m_faces[f].vertexIndex[1]];
        for (int v = 0; v < brush.m_numVertices; ++v) {
            const IntPoint& p = brush.m_vertices[v];
            int64_t d = n[0] * (p.x - q.x) + n[1] * (p.y - q.y) + n[2] * (p.z - q.z);
            EXPECT_LE(d, 0) << "face " << f << " vertex " << v;
        }
    }
}

} // namespace

TEST(BuildBrush, CubeHasEightSharedCornersAndFourPointFaces) {
    Recorder recorder;
    BrushDef def = Box({-64, -64, -64}, {64, 64, 64});
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_TRUE(recorder.messages.empty());
    ASSERT_EQ(brush.m_numVertices, 8);
    ASSERT_EQ(brush.m_numFaces, 6);
    std::set<std::tuple<int, int, int>> corners;
    for (int v = 0; v < 8; ++v) {
        const IntPoint& p = brush.m_vertices[v];
        EXPECT_EQ(std::abs(p.x), 64);
        EXPECT_EQ(std::abs(p.y), 64);
        EXPECT_EQ(std::abs(p.z), 64);
        corners.insert({p.x, p.y, p.z});
    }
    EXPECT_EQ(corners.size(), 8u);
    for (int f = 0; f < 6; ++f)
        EXPECT_EQ(brush.m_faces[f].numPoints, 4);
    ExpectConvexAndOutward(brush);
    EXPECT_EQ(brush.m_readPlanes, nullptr);
}

TEST(BuildBrush, RepeatedFaceIsLeftOutAndDoesNotCut) {
    Recorder recorder;
    BrushDef def = Box({0, 0, 0}, {32, 32, 32});
    def.faces[6] = def.faces[2];
    def.numFaces = 7;
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_EQ(brush.m_numFaces, 6);
    EXPECT_EQ(brush.m_numVertices, 8);
}

TEST(BuildBrush, CollinearFaceIsLeftOut) {
    Recorder recorder;
    BrushDef def = Box({0, 0, 0}, {32, 32, 32});
    def.faces[6] = Face({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    def.numFaces = 7;
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_EQ(brush.m_numFaces, 6);
}

TEST(BuildBrush, FaceCutAwayByTheOthersIsLeftOut) {
    Recorder recorder;
    BrushDef def = Box({0, 0, 0}, {32, 32, 32});
    def.faces[6] = Face({100, 0, 1}, {100, 1, 0}, {100, 0, 0}); // x <= 100 changes nothing
    def.numFaces = 7;
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_EQ(brush.m_numFaces, 6);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(BuildBrush, ZeroTextureScaleBecomesOneAndOffsetsRoundHalvesUp) {
    Recorder recorder;
    BrushDef def = Box({0, 0, 0}, {32, 32, 32});
    def.faces[0].xScale = 0.0f;
    def.faces[0].yScale = 0.0f;
    def.faces[0].xOffset = 0.5f;
    def.faces[0].yOffset = -0.5f;
    def.faces[1].xOffset = 70000.0f; // keeps the low 16 bits
    def.faces[1].yOffset = -2.5f;
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_FLOAT_EQ(brush.m_faces[0].xScale, 1.0f);
    EXPECT_FLOAT_EQ(brush.m_faces[0].yScale, 1.0f);
    EXPECT_EQ(brush.m_faces[0].xOffset, 1);
    EXPECT_EQ(brush.m_faces[0].yOffset, 0);
    EXPECT_EQ(brush.m_faces[1].xOffset, 70000 - 65536);
    EXPECT_EQ(brush.m_faces[1].yOffset, -2);
}

TEST(RoundHalfUp, RoundsHalvesTowardPositiveInfinity) {
    EXPECT_EQ(RoundHalfUp(2.5), 3.0);
    EXPECT_EQ(RoundHalfUp(-2.5), -2.0);
    EXPECT_EQ(RoundHalfUp(63.4999), 63.0);
    EXPECT_EQ(RoundHalfUp(-0.4), 0.0);
}

TEST(BasePolyForPlane, TiedNormalPicksXAndRunsAlongTheNormal) {
    Recorder recorder;
    double s = std::sqrt(0.5);
    Plane plane{{s, s, 0.0}, 10.0};
    FaceDef face;
    Winding w = BasePolyForPlane(plane, face, recorder.Report());
    ASSERT_EQ(w.numPoints, 4);
    // x is the major axis, so "up" is +z: the first two points are at the top.
    EXPECT_NEAR(w.points[0][2], kBasePolyHalfSize, 1e-6);
    EXPECT_NEAR(w.points[1][2], kBasePolyHalfSize, 1e-6);
    EXPECT_NEAR(w.points[2][2], -kBasePolyHalfSize, 1e-6);
    // (p0 - p1) x (p2 - p1) points along the normal.
    const Vec3d n = Cross(w.points[0] - w.points[1], w.points[2] - w.points[1]);
    EXPECT_GT(Dot(n, plane.normal), 0.0);
    EXPECT_FLOAT_EQ(face.xScale, 1.0f);
}

TEST(BasePolyForPlane, NormalThatIsNotANumberHasNoAxis) {
    Recorder recorder;
    double nan = std::nan("");
    Plane plane{{nan, nan, nan}, 0.0};
    FaceDef face;
    BasePolyForPlane(plane, face, recorder.Report());
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"BasePolyForPlane: no axis found"});
}

TEST(ClipWinding, KeepsTheFrontPartAndReportsNothingForAClip) {
    Recorder recorder;
    Winding w = NewWinding(4, recorder.Report());
    double square[4][3] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    for (int i = 0; i < 4; ++i)
        w.points[i] = {square[i][0], square[i][1], square[i][2]};
    w.numPoints = 4;
    Plane keepAboveX4{{1.0, 0.0, 0.0}, 4.0};
    ASSERT_TRUE(ClipWinding(w, keepAboveX4, recorder.Report()));
    ASSERT_EQ(w.numPoints, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(w.points[i][0], 4.0);
    Plane keepBeyond{{1.0, 0.0, 0.0}, 50.0};
    EXPECT_FALSE(ClipWinding(w, keepBeyond, recorder.Report()));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(NewWinding, TooManyPointsIsReportedButNeverOverflows) {
    Recorder recorder;
    Winding w = NewWinding(70, recorder.Report());
    EXPECT_EQ(w.capacity, kWindingCapacity);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"NewWinding: too many points\n"});
}

TEST(CheckFace, ReportsEachProblemOfABadPolygon) {
    Recorder recorder;
    Plane plane{{0.0, 0.0, 1.0}, 0.0};
    CheckFace(plane, nullptr, recorder.Report());
    Winding w = NewWinding(4, recorder.Report());
    w.points[0] = {0, 0, 0};
    w.points[1] = {70000, 0, 0};
    w.points[2] = {70000, 0.05, 0};
    w.numPoints = 2;
    CheckFace(plane, &w, recorder.Report());
    std::vector<std::string> expected = {"CheckFace: no winding\n", "CheckFace: points < 3\n",
                                         "CheckFace: outside BOGUS_RANGE\n"};
    EXPECT_EQ(std::vector<std::string>(recorder.messages.begin(), recorder.messages.begin() + 3),
              expected);
    recorder.messages.clear();
    w.points[1] = {10, 0, 5}; // off the plane
    w.points[2] = {10, 0.05, 5};
    w.numPoints = 3;
    CheckFace(plane, &w, recorder.Report());
    EXPECT_NE(std::find(recorder.messages.begin(), recorder.messages.end(),
                        "CheckFace: point off plane\n"),
              recorder.messages.end());
    EXPECT_NE(std::find(recorder.messages.begin(), recorder.messages.end(),
                        "CheckFace: degenerate edge\n"),
              recorder.messages.end());
}

// A vertical prism with n sides whose corners are not integers.
BrushDef Prism(int sides, double radius) {
    BrushDef def;
    std::vector<IntPoint> ring;
    for (int i = 0; i < sides; ++i) {
        double a = 2.0 * M_PI * i / sides;
        ring.push_back({static_cast<int>(std::lround(radius * std::cos(a))),
                        static_cast<int>(std::lround(radius * std::sin(a))), 0});
    }
    for (int i = 0; i < sides; ++i) {
        IntPoint a = ring[i], b = ring[(i + 1) % sides];
        def.faces[i] = Face({b.x, b.y, 64}, {b.x, b.y, 0}, {a.x, a.y, 0});
    }
    def.faces[sides] = Face({0, 1, 0}, {-1, 0, 0}, {0, 0, 0});       // bottom, z >= 0
    def.faces[sides + 1] = Face({0, 1, 64}, {1, 0, 64}, {0, 0, 64}); // top, z <= 64
    def.numFaces = static_cast<uint8_t>(sides + 2);
    return def;
}

TEST(BuildBrush, ThirtyFaceBrushStaysWithinTheLimits) {
    Recorder recorder;
    BrushDef def = Prism(30, 2000.0);
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_EQ(brush.m_numFaces, 32);
    EXPECT_EQ(brush.m_numVertices, 60);
    EXPECT_EQ(brush.m_faces[30].numPoints, 30);
    ExpectConvexAndOutward(brush);
}

TEST(BuildBrush, NonIntegerCornersKeepTheReadPlanes) {
    Recorder recorder;
    BrushDef def = Prism(7, 100.0);
    // A gently sloping top (z = 64 + 0.07 x) gives corners between integers.
    def.faces[8] = Face({100, 0, 71}, {0, 0, 64}, {0, 100, 64});
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    ASSERT_NE(brush.m_readPlanes, nullptr);
    // The sides stand on integer corners of the ring and keep their planes
    // when rounded; the top does not.
    for (int f = 0; f < 8; ++f)
        EXPECT_EQ(brush.m_readPlanes->FindPoints(f), nullptr) << f;
    const IntPoint* top = brush.m_readPlanes->FindPoints(8);
    ASSERT_NE(top, nullptr);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(top[k], def.faces[8].points[k]);
    brush.ForgetReadPlanes();
    EXPECT_EQ(brush.m_readPlanes, nullptr);
}

TEST(BuildBrush, CornersDifferingByFloatNoiseBecomeOneVertex) {
    Recorder recorder;
    // A wedge whose slanted face meets the others at corners computed from
    // different plane pairs.
    BrushDef def = Box({0, 0, 0}, {64, 64, 64});
    def.faces[5] = Face({64, 64, 0}, {64, 0, 0}, {0, 0, 64}); // x + z <= 64
    CMapBrush brush;
    ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_EQ(brush.m_numVertices, 6);
    EXPECT_EQ(brush.m_numFaces, 5); // the x = 64 side shrinks to an edge
    ExpectConvexAndOutward(brush);
}

TEST(BuildBrush, TooManyCornersLeavesTheBrushEmpty) {
    Recorder recorder;
    // A dome of 32 gently tilted roof planes and no floor: every face runs down
    // to the edge of its huge starting square, where no two faces share a
    // corner, so the corners outnumber what a brush can hold.
    BrushDef def;
    for (int i = 0; i < 32; ++i) {
        double a = 2.0 * M_PI * i / 32;
        int dx = static_cast<int>(std::lround(100 * std::cos(a)));
        int dy = static_cast<int>(std::lround(100 * std::sin(a)));
        // Plane through (dx, dy, 0) sloping down away from the centre.
        IntPoint p{dx, dy, 0};
        IntPoint q{dx - dy, dy + dx, 0};
        IntPoint r{2 * dx, 2 * dy, -100};
        def.faces[i] = Face(q, p, r);
    }
    def.numFaces = 32;
    CMapBrush brush;
    EXPECT_FALSE(BuildBrush(brush, def, recorder.Report()));
    EXPECT_EQ(brush.m_numVertices, 0);
    EXPECT_EQ(brush.m_numFaces, 0);
}

namespace {

// Three integer points of the plane through `p` with normal `n`, ordered so
// that the face's normal points along `n` (out of the brush).
FaceDef PlaneFace(IntPoint p, IntPoint n) {
    // u is perpendicular to n; v = n x u; then u x v = n |u|^2.
    const IntPoint axis = n.x != 0 || n.y != 0 ? IntPoint(0, 0, 1) : IntPoint(1, 0, 0);
    auto cross = [](IntPoint a, IntPoint b) {
        return IntPoint(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
    };
    IntPoint u = cross(n, axis);
    IntPoint v = cross(n, u);
    return Face({p.x + u.x, p.y + u.y, p.z + u.z}, p, {p.x + v.x, p.y + v.y, p.z + v.z});
}

using Corner = std::tuple<int, int, int>;

Corner CornerOf(const IntPoint& p) {
    return {p.x, p.y, p.z};
}

// num / den rounded to the nearest integer, halves upward, in exact integers.
int64_t RoundRatio(int64_t num, int64_t den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    int64_t twice = 2 * num + den; // floor((2 num + den) / (2 den))
    int64_t q = twice / (2 * den);
    if (twice % (2 * den) != 0 && twice < 0)
        --q;
    return q;
}

// The corners of the box lo..hi cut by the half-space n . x <= n . p, worked
// out exactly: the box corners inside, and the crossing point on every box
// edge whose ends lie on opposite sides, rounded. Each face is the set of
// corners on it. The planes are chosen so that no box corner lies on the
// plane and no crossing comes near a half.
struct ExpectedCut {
    std::set<Corner> corners;
    std::multiset<std::set<Corner>> faces;
};

ExpectedCut CutBox(IntPoint lo, IntPoint hi, IntPoint p, IntPoint n) {
    const int64_t d = int64_t{n.x} * p.x + int64_t{n.y} * p.y + int64_t{n.z} * p.z;
    const int64_t l[3] = {lo.x, lo.y, lo.z}, h[3] = {hi.x, hi.y, hi.z};
    const int64_t nn[3] = {n.x, n.y, n.z};
    ExpectedCut cut;
    std::set<Corner> slanted;
    for (int mask = 0; mask < 8; ++mask) {
        int64_t c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = mask & (1 << k) ? h[k] : l[k];
        const int64_t side = nn[0] * c[0] + nn[1] * c[1] + nn[2] * c[2] - d;
        EXPECT_NE(side, 0) << "a box corner lies on the plane";
        if (side < 0)
            cut.corners.insert(
                {static_cast<int>(c[0]), static_cast<int>(c[1]), static_cast<int>(c[2])});
        // Edges along each axis k, from the corner at l[k].
        for (int k = 0; k < 3; ++k) {
            if (mask & (1 << k) || nn[k] == 0)
                continue;
            int64_t rest = d;
            for (int j = 0; j < 3; ++j) {
                if (j != k)
                    rest -= nn[j] * c[j];
            }
            // The crossing lies at rest / n[k] along axis k.
            const int64_t num = rest, den = nn[k];
            const bool inside = den > 0 ? num > l[k] * den && num < h[k] * den
                                        : num < l[k] * den && num > h[k] * den;
            if (!inside)
                continue;
            int64_t fraction = (2 * num) % (2 * den); // twice the part after the point
            EXPECT_GT(std::llabs(std::llabs(fraction) - std::llabs(den)), std::llabs(den) / 10)
                << "a crossing too near a half";
            int64_t e[3] = {c[0], c[1], c[2]};
            e[k] = RoundRatio(num, den);
            Corner corner{static_cast<int>(e[0]), static_cast<int>(e[1]), static_cast<int>(e[2])};
            cut.corners.insert(corner);
            slanted.insert(corner);
        }
    }
    for (int k = 0; k < 3; ++k) {
        for (int64_t value : {l[k], h[k]}) {
            std::set<Corner> face;
            for (const Corner& c : cut.corners) {
                const int coordinate[3] = {std::get<0>(c), std::get<1>(c), std::get<2>(c)};
                if (coordinate[k] == value)
                    face.insert(c);
            }
            if (face.size() >= 3)
                cut.faces.insert(face);
        }
    }
    cut.faces.insert(slanted);
    return cut;
}

} // namespace

// Corners on a box face come from clipping by the box's axis planes, where a
// crossing takes the plane's own coordinate exactly; whatever path computes
// them, the corners must be the exact ones.
TEST(BuildBrush, BoxesCutBySlantedPlanesHaveTheExactCorners) {
    struct Case {
        IntPoint lo, hi, p, n;
    };
    const Case cases[] = {
        {{16, 16, 16}, {80, 80, 80}, {16, 16, 96}, {3, 7, 5}},
        {{-96, -40, -8}, {-24, 40, 56}, {-60, 0, 24}, {-4, 3, 6}},
        {{0, -64, -32}, {48, 0, 32}, {30, -20, 10}, {5, -2, -9}},
        {{-50, -50, -50}, {-10, 30, 70}, {-30, -10, 10}, {-7, -11, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "normal " << c.n.x << " " << c.n.y << " " << c.n.z);
        Recorder recorder;
        BrushDef def = Box(c.lo, c.hi);
        def.faces[6] = PlaneFace(c.p, c.n);
        def.numFaces = 7;
        CMapBrush brush;
        ASSERT_TRUE(BuildBrush(brush, def, recorder.Report()));
        const ExpectedCut expected = CutBox(c.lo, c.hi, c.p, c.n);
        std::set<Corner> corners;
        for (int v = 0; v < brush.m_numVertices; ++v)
            corners.insert(CornerOf(brush.m_vertices[v]));
        EXPECT_EQ(corners.size(), brush.m_numVertices) << "a corner is listed twice";
        EXPECT_EQ(corners, expected.corners);
        std::multiset<std::set<Corner>> faces;
        for (int f = 0; f < brush.m_numFaces; ++f) {
            std::set<Corner> face;
            for (int k = 0; k < brush.m_faces[f].numPoints; ++k)
                face.insert(CornerOf(brush.m_vertices[brush.m_faces[f].vertexIndex[k]]));
            faces.insert(face);
        }
        EXPECT_EQ(faces, expected.faces);
    }
}

// A face on an axis plane halfway between whole units (other editors write
// such planes with decimals), crossed by a slanted face: the crossing lies on
// the axis plane exactly, so all corners there round alike and the brush
// stays convex. Worked out along the slanted face's edges, a crossing lands a
// hair short of the plane and rounds to the other side: a dent in the brush.
TEST(BuildBrush, AxisPlanesHalfwayBetweenUnitsCutAtTheirOwnCoordinate) {
    struct Case {
        IntPoint lo, hi;
        int axis;      // the high face along it lies half a unit below `hi`
        IntPoint p, n; // the slanted face
    };
    const Case cases[] = {
        {{-49, -70, -31}, {118, 95, 114}, 2, {42, 25, 33}, {2, -5, -3}},
        {{-85, -51, -74}, {108, 51, 62}, 2, {23, 15, 11}, {-7, 0, 7}},
    };
    for (const Case& c : cases) {
        BrushDef def = Box(c.lo, c.hi);
        const double half = c.hi.Component(c.axis) - 0.5;
        FaceDef& face = def.faces[2 * c.axis + 1];
        face.hasFractionalPoints = true;
        for (int k = 0; k < 3; ++k) {
            face.exactPoints[k] = ToVec3d(face.points[k]);
            face.exactPoints[k][c.axis] = half;
        }
        def.faces[6] = PlaneFace(c.p, c.n);
        def.numFaces = 7;
        Recorder recorder;
        CMapBrush brush;
        int built[kMaxBrushFaces];
        ASSERT_TRUE(BuildBrush(brush, def, recorder.Report(), built));
        ASSERT_GE(built[2 * c.axis + 1], 0);
        const BrushFace& halfFace = brush.m_faces[built[2 * c.axis + 1]];
        for (int k = 0; k < halfFace.numPoints; ++k) {
            const IntPoint& corner = brush.m_vertices[halfFace.vertexIndex[k]];
            EXPECT_EQ(corner.Component(c.axis), c.hi.Component(c.axis)) << k;
        }
        ExpectConvexAndOutward(brush);
    }
}

// Corners of one face that round to the same integer point must not make the
// face list that vertex twice, neither side by side nor as its last and first
// entry: a drag would move such a vertex twice.
TEST(BuildBrush, NoFaceListsAVertexTwice) {
    std::mt19937 random(15);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int built = 0;
    for (int b = 0; b < 3000; ++b) {
        IntPoint lo(between(-64, 0), between(-64, 0), between(-64, 0));
        IntPoint hi(lo.x + between(2, 96), lo.y + between(2, 96), lo.z + between(2, 96));
        BrushDef def = Box(lo, hi);
        const int cuts = between(1, 4);
        for (int i = 0; i < cuts; ++i) {
            IntPoint n(between(-9, 9), between(-9, 9), between(-9, 9));
            if (n == IntPoint(0, 0, 0))
                n.z = 1;
            IntPoint p(between(lo.x, hi.x), between(lo.y, hi.y), between(lo.z, hi.z));
            def.faces[def.numFaces++] = PlaneFace(p, n);
        }
        CMapBrush brush;
        Recorder recorder;
        if (!BuildBrush(brush, def, recorder.Report()))
            continue;
        ++built;
        for (int f = 0; f < brush.m_numFaces; ++f) {
            const BrushFace& face = brush.m_faces[f];
            ASSERT_GE(face.numPoints, 3) << "brush " << b << " face " << f;
            std::set<int> seen(face.vertexIndex, face.vertexIndex + face.numPoints);
            ASSERT_EQ(seen.size(), face.numPoints) << "brush " << b << " face " << f;
        }
    }
    EXPECT_GT(built, 2900);
}

// A brush is its box when its eight corners are the box's and its six faces
// go round the box's sides; the views then draw it from the box alone, so a
// brush that merely fills its box's corners in another order is not one.
TEST(CMapBrush, IsItsBoxOnlyWithTheBoxsCornersAndSidesGoingRound) {
    auto box = [] {
        CMapBrush brush;
        BrushDef def = Box({0, 0, 0}, {32, 64, 16});
        BuildBrush(brush, def, [](std::string_view) {});
        return brush;
    };
    const struct {
        const char* what;
        std::function<void(CMapBrush&)> change;
        bool isBox;
    } cases[] = {
        {"as built", [](CMapBrush&) {}, true},
        {"turned a quarter about z",
         [](CMapBrush& b) {
             for (int v = 0; v < b.m_numVertices; ++v)
                 b.m_vertices[v] = {-b.m_vertices[v].y, b.m_vertices[v].x, b.m_vertices[v].z};
         },
         true},
        {"a corner moved", [](CMapBrush& b) { b.m_vertices[0].x += 8; }, false},
        {"two corners traded", [](CMapBrush& b) { std::swap(b.m_vertices[0], b.m_vertices[1]); },
         false},
        {"a corner cut off",
         [](CMapBrush& b) {
             BrushDef def = Box({0, 0, 0}, {32, 64, 16});
             def.faces[6] = Face({24, 0, 0}, {32, 0, 8}, {32, 8, 0});
             def.numFaces = 7;
             BuildBrush(b, def, [](std::string_view) {});
         },
         false},
    };
    for (const auto& c : cases) {
        CMapBrush brush = box();
        ASSERT_TRUE(brush.IsAlignedBox());
        c.change(brush);
        brush.ForgetBounds();
        EXPECT_EQ(brush.IsAlignedBox(), c.isBox) << c.what;
    }
}
