#pragma once

#include "map/IntBox.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CMapBrush;
class CModelEntity;

// What a texture's name makes of it in the camera view.
enum class SceneTextureKind : uint8_t {
    kNormal,
    kSky,    // "sky...": drawn as itself, never shaded
    kLiquid, // "*...": water, slime, lava, teleporters
    kTool,   // clip, trigger, skip, hint, origin: hidden on request
};
SceneTextureKind ClassifyTexture(std::string_view name);

// One corner of a face as the drawing takes it: where it is, which way the
// face looks, and the texel the compilers put there (before the division by
// the texture's size, which the drawing knows and the mesh need not).
struct SceneVertex {
    float position[3];
    float normal[3];
    float texel[2];
};

// Consecutive triangles of one texture.
struct SceneDrawRange {
    std::string texture;
    SceneTextureKind kind = SceneTextureKind::kNormal;
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
};

// The faces of some brushes as indexed triangles, in runs of one texture.
struct SceneMesh {
    std::vector<SceneVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<SceneDrawRange> ranges;

    void Clear();
};

struct SceneBrush {
    const CMapBrush* brush;
    const CModelEntity* owner; // null: the world
};

// The faces of the brushes, each a fan of triangles over its corners, grouped
// by texture name so that a group draws with one texture bind per name.
void BuildSceneMesh(std::span<const SceneBrush> brushes, SceneMesh& mesh);
