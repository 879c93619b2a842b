#pragma once

// The programs of the camera view, in GLSL 3.30 core: faces with their
// textures, things drawn in one colour (entity boxes, the tint of the
// hovered and selected objects), and the boxes that test what is hidden.
namespace SceneShaders {

inline constexpr const char* kLighting = R"(
// A fixed light from above and a little aside: floors brightest, ceilings
// darkest, walls between and unlike each other by the way they face.
float Light(vec3 n) {
    return clamp(0.72 + 0.25 * n.z + 0.08 * n.x + 0.04 * n.y, 0.35, 1.0);
}
)";

inline constexpr const char* kTexturedVertex = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texel;
uniform mat4 viewProjection;
uniform vec2 textureSize;
uniform bool shaded;
out vec2 uv;
out float light;
void main() {
    gl_Position = viewProjection * vec4(position, 1.0);
    uv = texel / textureSize;
    light = shaded ? Light(normal) : 1.0;
}
)";

inline constexpr const char* kTexturedFragment = R"(
in vec2 uv;
in float light;
uniform sampler2D picture;
out vec4 colour;
void main() {
    vec4 texel = texture(picture, uv);
    colour = vec4(texel.rgb * light, 1.0);
}
)";

inline constexpr const char* kSolidVertex = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec4 tint;
uniform mat4 viewProjection;
uniform bool shaded;
out vec4 shade;
void main() {
    gl_Position = viewProjection * vec4(position, 1.0);
    shade = vec4(tint.rgb * (shaded ? Light(normal) : 1.0), tint.a);
}
)";

inline constexpr const char* kSolidFragment = R"(
in vec4 shade;
out vec4 colour;
void main() {
    colour = shade;
}
)";

// A box stretched over a unit cube, drawn only to count the pixels of it that
// nearer faces leave uncovered.
inline constexpr const char* kBoxVertex = R"(
layout(location = 0) in vec3 corner;
uniform mat4 viewProjection;
uniform vec3 boxMin;
uniform vec3 boxSize;
void main() {
    gl_Position = viewProjection * vec4(boxMin + corner * boxSize, 1.0);
}
)";

inline constexpr const char* kBoxFragment = R"(
out vec4 colour;
void main() {
    colour = vec4(1.0);
}
)";

} // namespace SceneShaders
