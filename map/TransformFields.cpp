#include "map/TransformFields.h"

#include "framework/FieldMessages.h"
#include "map/MapLimits.h"

#include <cmath>
#include <string_view>

namespace {

constexpr double kMaxMove = 2.0 * kWorldExtent;
constexpr double kMaxCentre = kWorldExtent;
constexpr double kMaxAngle = 360.0;
constexpr double kMaxScale = 1000.0;

const char* const kAxisNames[3] = {"X", "Y", "Z"};

std::string Bound(double value) {
    return std::to_string(static_cast<int64_t>(value));
}

std::optional<TransformFieldProblem> CheckRange(const std::string& text, TransformBox box,
                                                const std::string& name, double limit) {
    const std::optional<double> value = ParseWholeDecimal(text);
    if (value && std::fabs(*value) <= limit)
        return std::nullopt;
    return TransformFieldProblem{box, "Please enter a number between -" + Bound(limit) + " and " +
                                          Bound(limit) + " for " + name + "."};
}

std::optional<TransformFieldProblem> CheckScale(const std::string& text, TransformBox box,
                                                const std::string& name) {
    const std::optional<double> value = ParseWholeDecimal(text);
    if (value && *value != 0.0 && std::fabs(*value) <= kMaxScale)
        return std::nullopt;
    return TransformFieldProblem{box, "Please enter a number between -" + Bound(kMaxScale) +
                                          " and " + Bound(kMaxScale) + ", other than 0, for " +
                                          name + "."};
}

TransformBox BoxOf(TransformBox first, int axis) {
    return static_cast<TransformBox>(static_cast<int>(first) + axis);
}

} // namespace

std::optional<TransformFieldProblem> FindTransformProblem(const TransformFields& fields) {
    for (int axis = 0; axis < 3; ++axis) {
        if (auto problem = CheckRange(fields.move[axis], BoxOf(TransformBox::kMoveX, axis),
                                      std::string("Move ") + kAxisNames[axis], kMaxMove))
            return problem;
    }
    if (auto problem = CheckRange(fields.angle, TransformBox::kAngle, "the angle", kMaxAngle))
        return problem;
    for (int axis = 0; axis < 3 && fields.typedCentre; ++axis) {
        if (auto problem = CheckRange(fields.centre[axis], BoxOf(TransformBox::kCentreX, axis),
                                      std::string("Centre ") + kAxisNames[axis], kMaxCentre))
            return problem;
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (auto problem = CheckScale(fields.scale[axis], BoxOf(TransformBox::kScaleX, axis),
                                      std::string("Scale ") + kAxisNames[axis]))
            return problem;
    }
    return std::nullopt;
}

BrushTransform MakeTransform(const TransformFields& fields, const Vec3d& setCentre) {
    BrushTransform transform;
    transform.centre = setCentre;
    for (int axis = 0; axis < 3; ++axis) {
        transform.move[axis] = ParseWholeDecimal(fields.move[axis]).value_or(0.0);
        transform.scale[axis] = ParseWholeDecimal(fields.scale[axis]).value_or(1.0);
        if (fields.typedCentre)
            transform.centre[axis] = ParseWholeDecimal(fields.centre[axis]).value_or(0.0);
    }
    transform.turnDegrees = ParseWholeDecimal(fields.angle).value_or(0.0);
    const int axis = fields.turnAxis >= 0 && fields.turnAxis < 3 ? fields.turnAxis : 2;
    transform.turnAxis = Vec3d();
    transform.turnAxis[axis] = 1.0;
    return transform;
}
