#include "map/FaceTextureChange.h"

#include "framework/TextToNumber.h"
#include "map/CMapTokenizer.h"
#include "map/FaceLineText.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string_view> TokensOf(const std::string& text) {
    class CQuiet : public CMapDiagnostics {
    public:
        void Report(int, int, std::string_view) override {}
    } quiet;
    CMapTokenizer tokenizer(text, quiet);
    std::vector<std::string_view> tokens;
    while (tokenizer.GetToken(false))
        tokens.push_back(tokenizer.TokenSource());
    return tokens;
}

template <class Number> std::string Shortest(Number number) {
    char digits[kShortestTextCapacity];
    return std::string(digits, FormatShortest(number, digits));
}

std::string TextureNameText(const char* texture) {
    if (!TextureNameNeedsQuotes(texture))
        return texture;
    std::string quoted = "\"";
    quoted.append(texture).push_back('"');
    return quoted;
}

// Where the numbers stand among the tokens of a texture text:
// "name xoff yoff rot xscale yscale ..." or
// "name [ ux uy uz uoff ] [ vx vy vz voff ] rot xscale yscale ...".
constexpr size_t kStandardTokens = 6;
constexpr size_t kValveTokens = 16;
constexpr size_t kValveBrackets[4] = {1, 6, 7, 12};

bool HasValveLayout(const std::vector<std::string_view>& tokens) {
    if (tokens.size() < kValveTokens)
        return false;
    for (size_t at : kValveBrackets) {
        if (tokens[at] != (at == 1 || at == 7 ? "[" : "]"))
            return false;
    }
    return true;
}

// The kept text with the changed numbers written anew from the face, which
// holds them now; nothing when the text is not laid out as a face's.
std::optional<std::string> RestateTextureText(const std::string& kept, const CMapBrush& brush,
                                              int face, const FaceTextureChange& change) {
    std::vector<std::string_view> tokens = TokensOf(kept);
    const bool valve = brush.HasValveAxes();
    if (valve ? !HasValveLayout(tokens) : tokens.size() < kStandardTokens)
        return std::nullopt;
    std::vector<std::string> texts(tokens.begin(), tokens.end());
    const BrushFace& f = brush.m_faces[face];
    if (change.texture)
        texts[0] = TextureNameText(f.texture);
    if (valve) {
        const ValveAxes& axes = brush.m_valveAxes[face];
        if (change.rotation) {
            const double components[6] = {axes.u.x, axes.u.y, axes.u.z,
                                          axes.v.x, axes.v.y, axes.v.z};
            const size_t places[6] = {2, 3, 4, 8, 9, 10};
            for (int k = 0; k < 6; ++k)
                texts[places[k]] = Shortest(components[k]);
            texts[13] = Shortest(f.rotation);
        }
        if (change.xOffset)
            texts[5] = Shortest(axes.uOffset);
        if (change.yOffset)
            texts[11] = Shortest(axes.vOffset);
        if (change.xScale)
            texts[14] = Shortest(f.xScale);
        if (change.yScale)
            texts[15] = Shortest(f.yScale);
    } else {
        if (change.xOffset)
            texts[1] = std::to_string(f.xOffset);
        if (change.yOffset)
            texts[2] = std::to_string(f.yOffset);
        if (change.rotation)
            texts[3] = FormatStandardFloat(f.rotation);
        if (change.xScale)
            texts[4] = FormatStandardFloat(f.xScale);
        if (change.yScale)
            texts[5] = FormatStandardFloat(f.yScale);
    }
    std::string text;
    for (const std::string& token : texts)
        text.append(text.empty() ? "" : " ").append(token);
    return text;
}

} // namespace

FaceTexture GetFaceTexture(const CMapBrush& brush, int face) {
    const BrushFace& f = brush.m_faces[face];
    FaceTexture texture;
    std::memcpy(texture.texture, f.texture, sizeof texture.texture);
    if (brush.HasValveAxes()) {
        texture.xOffset = brush.m_valveAxes[face].uOffset;
        texture.yOffset = brush.m_valveAxes[face].vOffset;
    } else {
        texture.xOffset = f.xOffset;
        texture.yOffset = f.yOffset;
    }
    texture.rotation = f.rotation;
    texture.xScale = f.xScale;
    texture.yScale = f.yScale;
    return texture;
}

void ApplyFaceTextureChange(CMapBrush& brush, int face, const FaceTexture& texture,
                            const FaceTextureChange& change) {
    if (!change.Any())
        return;
    FaceTexture merged = GetFaceTexture(brush, face);
    if (change.texture)
        std::memcpy(merged.texture, texture.texture, sizeof merged.texture);
    if (change.xOffset)
        merged.xOffset = texture.xOffset;
    if (change.yOffset)
        merged.yOffset = texture.yOffset;
    if (change.rotation)
        merged.rotation = texture.rotation;
    if (change.xScale)
        merged.xScale = texture.xScale;
    if (change.yScale)
        merged.yScale = texture.yScale;
    const std::string* kept = brush.m_keptText ? brush.m_keptText->FindTextureText(face) : nullptr;
    const std::optional<std::string> keptText = kept ? std::optional(*kept) : std::nullopt;
    ApplyFaceTexture(brush, face, merged);
    // Every value set anew leaves nothing of the text the face was read with.
    if (!keptText || change.Every())
        return;
    if (std::optional<std::string> text = RestateTextureText(*keptText, brush, face, change))
        brush.KeepTextureText(face, std::move(*text));
}
