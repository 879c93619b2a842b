#pragma once

#include "map/BrushTransform.h"

#include <cstdint>
#include <optional>
#include <string>

// What the "Transform" dialog edits: the text of its boxes and its choices.
struct TransformFields {
    std::string move[3] = {"0", "0", "0"};
    std::string angle = "0";
    int turnAxis = 2;         // 0, 1, 2: x, y, z
    bool typedCentre = false; // else the centre of the selection
    std::string centre[3] = {"0", "0", "0"};
    std::string scale[3] = {"1", "1", "1"};
};

// The boxes of the dialog, for the one a problem is in.
enum class TransformBox : uint8_t {
    kMoveX,
    kMoveY,
    kMoveZ,
    kAngle,
    kCentreX,
    kCentreY,
    kCentreZ,
    kScaleX,
    kScaleY,
    kScaleZ,
};

struct TransformFieldProblem {
    TransformBox box = TransformBox::kMoveX;
    std::string message;
};

// The first box whose text the dialog refuses, with the message that keeps
// it open; none when every box holds a number it takes. The centre's boxes
// count only when the centre is typed.
std::optional<TransformFieldProblem> FindTransformProblem(const TransformFields& fields);

// The transform the fields say, about `setCentre` unless they give a centre.
// Call only when FindTransformProblem finds none.
BrushTransform MakeTransform(const TransformFields& fields, const Vec3d& setCentre);
