#pragma once

#include "map/FaceDef.h"
#include "map/IntBox.h"
#include "map/IntPoint.h"
#include "map/MapLimits.h"
#include "map/TextSpan.h"
#include "map/Vec3d.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One face of a brush: a polygon of indices into the brush's vertex table, in
// order, plus its texture settings.
struct BrushFace {
    uint8_t numPoints = 0;
    uint8_t vertexIndex[kMaxFacePoints] = {};
    char texture[kMaxTextureName + 1] = {};
    int16_t xOffset = 0;
    int16_t yOffset = 0;
    float rotation = 0.0f;
    float xScale = 0.0f;
    float yScale = 0.0f;

    friend bool operator==(const BrushFace&, const BrushFace&) = default;
};

// A face line that gave no polygon (its points were collinear, it repeated a
// plane, or the other faces cut it away), to be written back before face
// `before` of the brush: as read when `text` is set, else from `def`.
struct HiddenFace {
    int before = 0;
    FaceDef def;
    std::string text;

    friend bool operator==(const HiddenFace&, const HiddenFace&) = default;
};

// Text of one face line as read, for a face whose fields cannot hold it.
struct KeptFaceText {
    int face = 0;
    std::string text;

    friend bool operator==(const KeptFaceText&, const KeptFaceText&) = default;
};

// The three plane points one face was read with. `asWrittenOnly`: the face's
// corners span the very same plane; the points are kept only so that a Valve
// line comes back as written.
struct KeptPlanePoints {
    int face = 0;
    IntPoint points[3];
    bool asWrittenOnly = false;

    friend bool operator==(const KeptPlanePoints&, const KeptPlanePoints&) = default;
};

// What a brush was read with, as far as its corners cannot tell it again: the
// plane points of the faces whose rounded corners no longer span exactly that
// plane (of every Valve face, whose line is kept as written), and the face
// lines that gave no polygon. Saving a brush nobody touched writes these back,
// so it reads again into the very same brush.
struct ReadPlanePoints {
    std::vector<KeptPlanePoints> points; // in face order
    std::vector<HiddenFace> hidden;
    // "( x y z ) ( x y z ) ( x y z )" as read, for faces whose plane points
    // are not whole 32-bit numbers (or, on a Valve face, not written as the
    // writer writes them).
    std::vector<KeptFaceText> planeTexts;

    friend bool operator==(const ReadPlanePoints&, const ReadPlanePoints&) = default;

    const KeptPlanePoints* FindKept(int face) const;
    const IntPoint* FindPoints(int face) const;
    const std::string* FindPlaneText(int face) const;
};

// The texture projection of a Valve 220 face: a point P of the face shows the
// texel s = P . u / xScale + uOffset, t = P . v / yScale + vOffset, with the
// face's own scales. `line` is the line the face was read from (counted from
// 0), or -1 for a face made in the editor.
struct ValveAxes {
    Vec3d u;
    Vec3d v;
    double uOffset = 0.0;
    double vOffset = 0.0;
    int line = -1;

    friend bool operator==(const ValveAxes&, const ValveAxes&) = default;
};

// What a brush holds in its text beyond its fields, which survives changes of
// its corners: the texture part of face lines ("name xoff yoff rot xs ys") whose
// numbers the fields cannot hold, until that face's texture is set; and all
// face lines of a brush too big to hold (over 32 faces or 64 corners), which
// is then kept as read, with no faces or corners of its own.
struct KeptBrushText {
    std::vector<KeptFaceText> textures;
    std::string unheldFaceLines; // each line "\t\t...\n"
    bool valveFaceLines = false; // some of them are in the Valve form

    friend bool operator==(const KeptBrushText&, const KeptBrushText&) = default;

    const std::string* FindTextureText(int face) const;
};

// A convex brush as a table of distinct integer corners shared by its faces.
// The plane of a face is the plane through its first three corners P, Q, R;
// (P - Q) x (R - Q) points out of the brush.
class CMapBrush {
public:
    CMapBrush() = default;
    // A copy is a brush of its own with everything the original keeps.
    CMapBrush(const CMapBrush& other);
    CMapBrush& operator=(const CMapBrush& other);
    CMapBrush(CMapBrush&&) = default;
    CMapBrush& operator=(CMapBrush&&) = default;
    virtual ~CMapBrush() = default;

    // Whoever moves a vertex calls this: from then on every face is saved
    // through its corners. The box around the corners is worked out again.
    void ForgetReadPlanes() {
        m_readPlanes.reset();
        ForgetBounds();
    }
    // The box around the corners, worked out at the first call after a change
    // and kept: the hover search and the views ask for it for every brush at
    // every move. Null for a brush without corners. Whoever changes a corner,
    // or a face's corner list, without ForgetReadPlanes calls ForgetBounds.
    const IntBox* GetBounds() const;
    void ForgetBounds() { m_boundsKnown = false; }
    // Whether the brush is its box exactly: eight corners at the box's corners
    // and six faces going round its sides, so that its edges are the box's
    // twelve. Worked out and kept with the box, while the brush is likely in
    // the cache, for the views, which then draw it from the box alone.
    bool IsAlignedBox() const { return GetBounds() && m_alignedBox; }
    // Whoever sets a face's texture values calls this.
    void ForgetTextureText(int face);
    // The texture part a face is to be written with, as the fields cannot
    // hold it.
    void KeepTextureText(int face, std::string text);

    // A brush too big for the tables is kept as text; it has no corners and
    // cannot be shown or edited.
    bool IsHeld() const { return !m_keptText || m_keptText->unheldFaceLines.empty(); }
    // Its faces carry texture axes of their own (Valve 220).
    bool HasValveAxes() const { return !m_valveAxes.empty(); }
    // The points a face's plane is saved through: as read while the brush is
    // untouched, else its first three corners. Without `asWritten`, points
    // kept only to write a line as it was give way to the corners.
    void GetPlanePoints(int face, IntPoint (&points)[3], bool asWritten = true) const;

    uint8_t m_numVertices = 0;
    uint8_t m_numFaces = 0;

private:
    // A copy works its own out; nothing else but the corners decides it.
    mutable bool m_boundsKnown = false;
    mutable bool m_alignedBox = false;
    mutable IntBox m_bounds;

public:
    // Where the map's box index put this brush; it checks before trusting it.
    mutable uint32_t m_indexSlot = UINT32_MAX;

    // The corners come before the faces so that the few a brush uses share
    // cache lines with the counts: the hover search reads little else.
    IntPoint m_vertices[kMaxBrushVertices];
    BrushFace m_faces[kMaxBrushFaces];
    std::unique_ptr<ReadPlanePoints> m_readPlanes; // null when the corners tell it all
    std::unique_ptr<KeptBrushText> m_keptText;     // null when the fields tell it all
    std::vector<ValveAxes> m_valveAxes;            // one per face for Valve faces, else empty
    // Where its text is (see TextSpan.h); a save sets it, like the index slot.
    mutable TextSpan m_source;

    // Alike in everything a save would write of them.
    friend bool operator==(const CMapBrush& a, const CMapBrush& b);
};
