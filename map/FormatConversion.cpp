#include "map/FormatConversion.h"

#include "framework/TextToNumber.h"
#include "map/FaceLineText.h"
#include "map/TextureProjection.h"

#include <cmath>

namespace {

void FindInBrushes(const BrushList& brushes, const std::string& owner,
                   std::vector<UnconvertibleFace>& found) {
    for (size_t b = 0; b < brushes.size(); ++b) {
        const CMapBrush& brush = *brushes[b];
        if (!brush.HasValveAxes())
            continue;
        for (int f = 0; f < brush.m_numFaces; ++f) {
            const BrushFace& face = brush.m_faces[f];
            const ValveAxes& axes = brush.m_valveAxes[f];
            if (!FindStandardTexture(GetFaceNormal(brush, f), axes, face.rotation, face.xScale,
                                     face.yScale))
                found.push_back({owner, static_cast<int>(b + 1), f + 1, axes.line});
        }
    }
}

} // namespace

void GiveValveAxes(CMapBrush& brush) {
    if (brush.HasValveAxes() || !brush.IsHeld() || brush.m_numFaces == 0)
        return;
    std::vector<ValveAxes> axes(brush.m_numFaces);
    for (int f = 0; f < brush.m_numFaces; ++f)
        axes[f] = MakeValveAxes(GetFaceNormal(brush, f), GetStandardTexture(brush, f));
    for (int f = 0; f < brush.m_numFaces; ++f)
        brush.ForgetTextureText(f);
    brush.m_valveAxes = std::move(axes);
}

namespace {

bool IsFieldOffset(double offset) {
    return offset == std::trunc(offset) && offset >= -32768.0 && offset <= 32767.0;
}

} // namespace

void DropValveAxes(CMapBrush& brush) {
    if (!brush.HasValveAxes())
        return;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        BrushFace& face = brush.m_faces[f];
        const Vec3d normal = GetFaceNormal(brush, f);
        const ValveAxes& axes = brush.m_valveAxes[f];
        const StandardTexture numbers =
            FindStandardTexture(normal, axes, face.rotation, face.xScale, face.yScale)
                .value_or(NearestStandardTexture(normal, axes, face.xScale, face.yScale));
        brush.ForgetTextureText(f);
        face.rotation = NearestFloat(numbers.rotation);
        face.xScale = NearestFloat(numbers.xScale);
        face.yScale = NearestFloat(numbers.yScale);
        face.xOffset = static_cast<int16_t>(IsFieldOffset(numbers.xOffset) ? numbers.xOffset : 0);
        face.yOffset = static_cast<int16_t>(IsFieldOffset(numbers.yOffset) ? numbers.yOffset : 0);
        if (IsFieldOffset(numbers.xOffset) && IsFieldOffset(numbers.yOffset))
            continue;
        if (!brush.m_keptText)
            brush.m_keptText = std::make_unique<KeptBrushText>();
        brush.m_keptText->textures.push_back({f, FormatStandardTexture(face.texture, numbers)});
    }
    brush.m_valveAxes.clear();
}

namespace {

using BrushCheck = void (*)(const BrushList& brushes, const std::string& owner,
                            std::vector<UnconvertibleFace>& found);

std::vector<UnconvertibleFace> FindInEveryOwner(const MapContents& contents, BrushCheck check) {
    std::vector<UnconvertibleFace> found;
    if (contents.worldBrushes)
        check(*contents.worldBrushes, "the world", found);
    if (contents.modelEntities) {
        for (size_t e = 0; e < contents.modelEntities->size(); ++e) {
            const CModelEntity& entity = *(*contents.modelEntities)[e];
            check(entity.m_brushes,
                  "brush entity " + std::to_string(e + 1) + " (" + entity.m_classname + ")", found);
        }
    }
    return found;
}

void FindKeptInBrushes(const BrushList& brushes, const std::string& owner,
                       std::vector<UnconvertibleFace>& found) {
    for (size_t b = 0; b < brushes.size(); ++b) {
        const CMapBrush& brush = *brushes[b];
        if (!brush.IsHeld() && brush.m_keptText->valveFaceLines)
            found.push_back({owner, static_cast<int>(b + 1), 0, -1});
    }
}

} // namespace

std::vector<UnconvertibleFace> FindUnconvertibleFaces(const MapContents& contents) {
    return FindInEveryOwner(contents, FindInBrushes);
}

std::vector<UnconvertibleFace> FindKeptValveBrushes(const MapContents& contents) {
    return FindInEveryOwner(contents, FindKeptInBrushes);
}

std::vector<UnconvertibleFace> FindLossesInStandardForm(const MapContents& contents) {
    std::vector<UnconvertibleFace> losses = FindUnconvertibleFaces(contents);
    std::vector<UnconvertibleFace> kept = FindKeptValveBrushes(contents);
    losses.insert(losses.end(), kept.begin(), kept.end());
    return losses;
}

std::string DescribeUnconvertibleFaces(const std::vector<UnconvertibleFace>& faces,
                                       size_t maxListed) {
    std::string text;
    for (size_t i = 0; i < faces.size() && i < maxListed; ++i) {
        const UnconvertibleFace& face = faces[i];
        text += face.owner + ", brush " + std::to_string(face.brush);
        if (face.face > 0)
            text += ", face " + std::to_string(face.face);
        if (face.line >= 0)
            text += " (line " + std::to_string(face.line + 1) + ")";
        text += '\n';
    }
    if (faces.size() > maxListed)
        text += "... and " + std::to_string(faces.size() - maxListed) + " more\n";
    return text;
}
