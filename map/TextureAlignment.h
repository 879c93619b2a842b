#pragma once

#include "map/CMapEdits.h"
#include "map/MapFormat.h"
#include "map/TextureProjection.h"
#include "texture/BrushFaceFields.h"

#include <optional>
#include <string>
#include <vector>

// The arithmetic of the texture alignment commands. A face's texture is read
// into one picture for both forms (the axes the compilers lay it along, with
// its offsets, scales and rotation), changed there, and written back by the
// rules of the face's form. A standard face takes only what its numbers hold
// exactly; anything else is refused with the reason, never written as the
// nearest thing it can hold.

// A face's texture as the alignments read and change it.
struct FaceAlignment {
    std::string texture;
    // The directions and offsets the compilers lay the texture by: a Valve
    // face's own, a standard face's from its numbers.
    ValveAxes axes;
    double rotation = 0.0; // the number the face names (a Valve face's axes are turned already)
    double xScale = 1.0;   // never 0
    double yScale = 1.0;
    bool valve = false; // saved with axes of its own: a Valve face, or any face of a Valve map
    Vec3d normal;
    std::vector<Vec3d> corners; // in order around the face
};

// A face of a standard brush in a Valve map reads as the Valve face it
// becomes when it changes (see GiveValveAxes).
FaceAlignment ReadFaceAlignment(const CMapBrush& brush, int face, MapFormat format);

// Adds to the offsets: the texture moves `s` texels against its U axis and
// `t` against its V axis.
void ShiftTexture(FaceAlignment& face, double s, double t);
// Adds `degrees` to the rotation, turning the texture about the texture's
// origin on the face as a standard rotation turns it; the offsets stay.
void RotateTexture(FaceAlignment& face, double degrees);
// Makes both scales `step` larger in size, keeping their signs (the field's
// float of 1.1 and 0.1 make 1.2); refused when a scale would reach 0.
std::optional<std::string> ScaleTexture(FaceAlignment& face, double step);
// Mirrors the texture along one axis across the middle of the face's extent
// along it. A standard face keeps whole offsets: its mirror line is the one
// within a quarter texel of the middle that gives one.
void FlipTexture(FaceAlignment& face, bool horizontally);
// The texture once across the face: the scales that make the face's extent
// along each axis one texture of `width` by `height` texels, and the offsets
// that start it at the face's edge. The axes keep their directions.
std::optional<std::string> FitTexture(FaceAlignment& face, double width, double height);
// Offsets 0, scales 1, rotation 0: the texture of the face's axis plane.
void ResetTexture(FaceAlignment& face);
// A Valve face's U axis along its longest edge (the first of the longest),
// pointing the way U pointed before, V across it in the face's plane on the
// side V was; the texture's corner on the edge's first end. The scales stay.
// Refused on a standard face, whose axes lie in its axis plane.
std::optional<std::string> AlignTextureToEdge(FaceAlignment& face);
// Gives `target` the texture of `source`. A Valve target facing the same way
// takes the source's axes as they are, so that the texture goes on across
// the plane. One that shares an edge with the source takes them turned about
// that edge, as wallpaper goes round a corner: each texel of the edge is the
// same on both faces. Any other target takes the source's name, offsets,
// rotation and scales, laid along its own axis plane.
void PasteTexture(FaceAlignment& target, const FaceAlignment& source);

// What an alignment changes of one face, for CMapEdits::SetFaceAlignment.
struct AlignedFace {
    FaceTexture texture;      // a Valve face's offsets along its axes
    FaceTextureChange change; // the values that changed
    // A Valve face's axes become these, and the rotation the texture's one,
    // with no further turn.
    bool setsAxes = false;
    Vec3d u;
    Vec3d v;
};

// The face's new texture by the rules of its form, or why the form cannot
// hold it: a standard face holds whole offsets of 16 bits.
std::optional<std::string> WriteFaceAlignment(const FaceAlignment& before,
                                              const FaceAlignment& after, AlignedFace& aligned);
// Sets what `aligned` changes; the numbers that stay keep their text.
void ApplyAlignedFace(CMapBrush& brush, int face, const AlignedFace& aligned);
