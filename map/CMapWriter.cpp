#include "map/CMapWriter.h"

#include "framework/CSafeFileWriter.h"
#include "framework/TextToNumber.h"
#include "framework/Utf8Mark.h"
#include "map/CMapTokenizer.h"
#include "map/CTolveDoc.h"
#include "map/EntityKeys.h"
#include "map/FaceLineText.h"
#include "map/MapHeader.h"
#include "map/MapOrder.h"
#include "map/TextureProjection.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <unordered_set>
#include <variant>

namespace {

constexpr size_t kFlushSize = 1 << 18;

} // namespace

CMapWriter::CMapWriter(const MapContents& contents, Sink sink)
    : m_contents(contents), m_sink(std::move(sink)) {
    m_buffer.reserve(kFlushSize + 4096);
}

CMapWriter::CMapWriter(const CTolveDoc& doc, Sink sink)
    : CMapWriter(doc.GetContents(), std::move(sink)) {}

void CMapWriter::Flush() {
    if (m_saved)
        m_saved->text.append(m_buffer);
    if (!m_failed && !m_buffer.empty() && !m_sink(m_buffer.data(), m_buffer.size()))
        m_failed = true;
    m_flushed += m_buffer.size();
    m_buffer.clear();
}

void CMapWriter::Put(const char* text, size_t size) {
    m_buffer.append(text, size);
    if (m_buffer.size() >= kFlushSize && !m_writingPart)
        Flush();
}

void CMapWriter::PutSource(uint32_t begin, uint32_t end) {
    Put(m_source.substr(begin, end - begin));
}

// What `write` writes, in the layout of the source text.
template <class Write> void CMapWriter::PutWritten(Write write) {
    if (m_source.empty() || m_layout.IsWritersOwn()) {
        write();
        return;
    }
    std::string outer;
    outer.swap(m_buffer);
    m_writingPart = true;
    write();
    m_writingPart = false;
    std::string written;
    written.swap(m_buffer);
    m_buffer.swap(outer);
    std::string laidOut;
    AppendInLayout(written, m_layout, laidOut);
    Put(laidOut);
}

void CMapWriter::Put(const char* text) {
    Put(text, std::strlen(text));
}

void CMapWriter::Put(char c) {
    m_buffer.push_back(c);
}

void CMapWriter::PutSigned(int32_t value) {
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    Put(digits, static_cast<size_t>(result.ptr - digits));
}

template <class Number> void CMapWriter::PutShortest(Number value) {
    char digits[kShortestTextCapacity];
    Put(digits, FormatShortest(value, digits));
}

// "%f": six decimals, exactly as printf rounds them.
void CMapWriter::PutFixed(float value) {
    char digits[kFixedTextCapacity];
    Put(digits, FormatFixed(value, digits));
}

void CMapWriter::AddKey(std::string_view key, std::string_view value, bool overridden) {
    const size_t begin = m_keyText.size();
    m_keyText.append("\t\"").append(key).append("\" \"").append(value).append("\"\n");
    m_keyLines.push_back({key, begin, m_keyText.size() - begin, overridden});
}

void CMapWriter::AddNumberKey(std::string_view key, int64_t value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    AddKey(key, std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
}

void CMapWriter::AddPointKey(std::string_view key, const IntPoint& point) {
    std::string text;
    char digits[12];
    for (const int32_t component : {point.x, point.y, point.z}) {
        if (!text.empty())
            text.push_back(' ');
        text.append(digits, std::to_chars(digits, digits + sizeof digits, component).ptr);
    }
    AddKey(key, text);
}

// A number key whose text the field could not hold is written as read, in
// its own place, whatever the field says.
bool CMapWriter::AddKeptText(const CKeptTexts& kept, const char* key) {
    if (kept.IsEmpty())
        return false;
    const std::string* text = kept.Find(key);
    if (!text)
        return false;
    AddKey(key, *text);
    return true;
}

// Pairs a later pair of the same key overrode in the file come first, as
// they did there.
void CMapWriter::AddOverriddenPairs(const CKeyLayout& layout) {
    for (const CustomPair& pair : layout.GetOverridden())
        AddKey(pair.key, pair.value, true);
}

// The lines gathered for one entity, in the order its file gave its keys.
// An overridden pair goes only with a line of its key that the entity still
// writes: with that line gone (the user cleared the key), the old value would
// count again.
std::vector<const CMapWriter::KeyLine*> CMapWriter::ArrangeKeys(const CKeyLayout& layout) const {
    std::unordered_set<std::string_view> written;
    if (!layout.GetOverridden().empty()) {
        for (const KeyLine& line : m_keyLines) {
            if (!line.overridden)
                written.insert(line.key);
        }
    }
    std::vector<std::string_view> keys;
    std::vector<const KeyLine*> lines;
    for (const KeyLine& line : m_keyLines) {
        if (line.overridden && !written.contains(line.key))
            continue;
        keys.push_back(line.key);
        lines.push_back(&line);
    }
    std::vector<const KeyLine*> arranged;
    arranged.reserve(lines.size());
    for (size_t index : layout.Arrange(keys))
        arranged.push_back(lines[index]);
    return arranged;
}

void CMapWriter::PutKeys(const CKeyLayout& layout) {
    for (const KeyLine* line : ArrangeKeys(layout))
        Put(m_keyText.data() + line->begin, line->size);
    m_keyLines.clear();
    m_keyText.clear();
}

// Each line is '\t"key" "value"\n'.
CustomPairList CMapWriter::TakeKeyPairs(const CKeyLayout& layout) {
    CustomPairList pairs;
    for (const KeyLine* line : ArrangeKeys(layout)) {
        const size_t valueBegin = line->begin + line->key.size() + 5;
        const size_t valueEnd = line->begin + line->size - 2;
        pairs.push_back(
            {std::string(line->key), m_keyText.substr(valueBegin, valueEnd - valueBegin)});
    }
    m_keyLines.clear();
    m_keyText.clear();
    return pairs;
}

template <class Entity, class Keys>
void CMapWriter::GatherKeys(const Entity& entity, std::span<const KeyRule<Keys>> rules) {
    AddOverriddenPairs(entity.m_keyLayout);
    AddKeys<Keys>(entity, rules, entity.m_keptTexts);
    AddOtherPairs(entity.m_otherPairs);
}

CustomPairList CMapWriter::ListKeys(const CPointEntity& entity) {
    CMapWriter writer(MapContents{}, [](const char*, size_t) { return true; });
    writer.GatherKeys(entity, PointEntityKeys());
    return writer.TakeKeyPairs(entity.m_keyLayout);
}

CustomPairList CMapWriter::ListKeys(const CModelEntity& entity) {
    CMapWriter writer(MapContents{}, [](const char*, size_t) { return true; });
    writer.GatherKeys(entity, ModelEntityKeys());
    return writer.TakeKeyPairs(entity.m_keyLayout);
}

template <class Entity>
void CMapWriter::AddKeys(const Entity& entity, std::span<const KeyRule<Entity>> rules,
                         const CKeptTexts& kept) {
    for (const KeyRule<Entity>& rule : rules) {
        if (rule.written == KeyWritten::kNever || !rule.AppliesTo(entity))
            continue;
        std::visit(
            [&](auto member) {
                const auto& field = entity.*member;
                using Field = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, std::string>) {
                    // A text that is set wins over an empty one the file had.
                    if (rule.written != KeyWritten::kIfNotEmpty || !field.empty())
                        AddKey(rule.name, field);
                    else
                        AddKeptText(kept, rule.name);
                } else if (AddKeptText(kept, rule.name) ||
                           (rule.present && !(entity.*rule.present))) {
                    return;
                } else if constexpr (std::is_same_v<Field, IntPoint>) {
                    AddPointKey(rule.name, field);
                } else {
                    if (rule.written == KeyWritten::kIfNotZero && field == 0)
                        return;
                    if (rule.written == KeyWritten::kIfNotNegative && field < 0)
                        return;
                    AddNumberKey(rule.name, rule.widenedUnsigned
                                                ? int64_t{static_cast<uint32_t>(int32_t{field})}
                                                : int64_t{field});
                }
            },
            rule.field);
    }
}

void CMapWriter::AddOtherPairs(const CustomPairList& pairs) {
    for (const CustomPair& pair : pairs) {
        if (!pair.key.empty())
            AddKey(pair.key, pair.value);
    }
}

void CMapWriter::WriteFaceLine(const IntPoint (&points)[3], const char* texture, int16_t xOffset,
                               int16_t yOffset, float rotation, float xScale, float yScale) {
    Put("\t\t");
    WritePlanePoints(points);
    WriteFaceTexture(texture, xOffset, yOffset, rotation, xScale, yScale);
}

void CMapWriter::WritePlanePoints(const IntPoint (&points)[3]) {
    for (const IntPoint& p : points) {
        Put("( ", 2);
        PutSigned(p.x);
        Put(' ');
        PutSigned(p.y);
        Put(' ');
        PutSigned(p.z);
        Put(" ) ", 3);
    }
}

void CMapWriter::PutTextureName(const char* texture) {
    if (TextureNameNeedsQuotes(texture)) {
        Put('"');
        Put(texture);
        Put('"');
    } else {
        Put(texture);
    }
}

void CMapWriter::WriteFaceTexture(const char* texture, int16_t xOffset, int16_t yOffset,
                                  float rotation, float xScale, float yScale) {
    PutTextureName(texture);
    Put(' ');
    PutSigned(xOffset);
    Put(' ');
    PutSigned(yOffset);
    Put(' ');
    PutFixed(rotation);
    Put(' ');
    PutFixed(xScale);
    Put(' ');
    PutFixed(yScale);
    Put('\n');
}

void CMapWriter::WriteValveTexture(const char* texture, const ValveAxes& axes, float rotation,
                                   float xScale, float yScale) {
    PutTextureName(texture);
    const Vec3d* vectors[2] = {&axes.u, &axes.v};
    const double offsets[2] = {axes.uOffset, axes.vOffset};
    for (int k = 0; k < 2; ++k) {
        Put(" [ ", 3);
        for (int axis = 0; axis < 3; ++axis) {
            PutShortest((*vectors[k])[axis]);
            Put(' ');
        }
        PutShortest(offsets[k]);
        Put(" ]", 2);
    }
    for (float number : {rotation, xScale, yScale}) {
        Put(' ');
        PutShortest(number);
    }
    Put('\n');
}

// The texture part of a face in the map's form: as kept while it is in the
// form it was read in, else from the fields, converted when the face was made
// in the other form.
void CMapWriter::WriteTexturePart(const CMapBrush& brush, int f) {
    const BrushFace& face = brush.m_faces[f];
    const bool valveFace = brush.HasValveAxes();
    const bool valveOut = m_contents.format == MapFormat::kValve;
    const std::string* kept = brush.m_keptText ? brush.m_keptText->FindTextureText(f) : nullptr;
    if (kept && valveFace == valveOut) {
        Put(*kept);
        Put('\n');
    } else if (valveFace && valveOut) {
        WriteValveTexture(face.texture, brush.m_valveAxes[f], face.rotation, face.xScale,
                          face.yScale);
    } else if (valveOut) {
        const StandardTexture numbers = GetStandardTexture(brush, f);
        WriteValveTexture(face.texture, MakeValveAxes(GetFaceNormal(brush, f), numbers),
                          NearestFloat(numbers.rotation), NearestFloat(numbers.xScale),
                          NearestFloat(numbers.yScale));
    } else if (valveFace) {
        const Vec3d normal = GetFaceNormal(brush, f);
        const ValveAxes& axes = brush.m_valveAxes[f];
        Put(FormatStandardTexture(
            face.texture,
            FindStandardTexture(normal, axes, face.rotation, face.xScale, face.yScale)
                .value_or(NearestStandardTexture(normal, axes, face.xScale, face.yScale))));
        Put('\n');
    } else {
        WriteFaceTexture(face.texture, face.xOffset, face.yOffset, face.rotation, face.xScale,
                         face.yScale);
    }
}

void CMapWriter::WriteHiddenFaces(const CMapBrush& brush, int before) {
    if (!brush.m_readPlanes)
        return;
    for (const HiddenFace& hidden : brush.m_readPlanes->hidden) {
        if (hidden.before != before)
            continue;
        if (!hidden.text.empty()) {
            Put("\t\t");
            Put(hidden.text);
            Put('\n');
            continue;
        }
        const FaceDef& def = hidden.def;
        WriteFaceLine(def.points, def.texture, static_cast<int16_t>(def.xOffset),
                      static_cast<int16_t>(def.yOffset), def.rotation, def.xScale, def.yScale);
    }
}

void CMapWriter::WriteBrush(const CMapBrush& brush) {
    Put("\t{\n");
    if (!brush.IsHeld()) {
        const std::string& lines = brush.m_keptText->unheldFaceLines;
        if (lines != "\n")
            Put(lines);
        Put("\t}\n");
        return;
    }
    const ReadPlanePoints* read = brush.m_readPlanes.get();
    const bool valveOut = m_contents.format == MapFormat::kValve;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        WriteHiddenFaces(brush, f);
        Put("\t\t");
        const std::string* planeText = read ? read->FindPlaneText(f) : nullptr;
        if (planeText) {
            Put(*planeText);
            Put(' ');
        } else {
            // A Valve line comes back as written; converted, it takes the
            // points a standard face of the same plane is written through.
            IntPoint points[3];
            brush.GetPlanePoints(f, points, brush.HasValveAxes() == valveOut);
            WritePlanePoints(points);
        }
        WriteTexturePart(brush, f);
    }
    WriteHiddenFaces(brush, brush.m_numFaces);
    Put("\t}\n");
}

namespace {

bool IsMapVersion(const CustomPair& pair) {
    return pair.key == "mapversion";
}

} // namespace

// A Valve map says so; a map saved in the standard form loses the version it
// had as a Valve map. "wad" is written when the map names its texture files.
void CMapWriter::WriteWorldKeys(const CWorldKeys& world) {
    Put("{\n");
    AddOverriddenPairs(world.m_worldKeyLayout);
    AddKey("classname", "worldspawn");
    const bool valve = m_contents.format == MapFormat::kValve;
    if (valve && m_contents.statesMapVersion)
        AddKey("mapversion", "220");
    if (m_contents.wad)
        AddKey("wad", *m_contents.wad);
    AddKeys(world, WorldKeys(), world.m_worldKeptTexts);
    for (const CustomPair& pair : world.m_worldOtherPairs) {
        const bool dropped = IsMapVersion(pair) && (valve || pair.value == "220");
        if (!pair.key.empty() && !dropped)
            AddKey(pair.key, pair.value);
    }
    PutKeys(world.m_worldKeyLayout);
}

void CMapWriter::WriteModelEntityKeys(const CModelEntity& entity) {
    Put("{\n");
    GatherKeys(entity, ModelEntityKeys());
    PutKeys(entity.m_keyLayout);
}

void CMapWriter::WritePointEntityKeys(const CPointEntity& entity) {
    Put("{\n");
    GatherKeys(entity, PointEntityKeys());
    PutKeys(entity.m_keyLayout);
}

// A brush nobody touched is its text; a touched one keeps the comments
// before it.
void CMapWriter::WriteBrushKeepingText(const CMapBrush& brush) {
    TextSpan saved;
    saved.begin = static_cast<uint32_t>(Position());
    const TextSpan& source = brush.m_source;
    if (!m_source.empty() && source.IsKept()) {
        PutSource(source.begin, source.end);
    } else {
        if (!m_source.empty() && source.HasLead())
            PutSource(source.begin, static_cast<uint32_t>(FindLeadEnd(m_source, source.begin)));
        PutWritten([&] { WriteBrush(brush); });
    }
    saved.end = static_cast<uint32_t>(Position());
    if (m_saved)
        m_saved->spans.brushes.emplace_back(&brush, saved);
}

// The head of an entity (its comments, opening brace and keys), its brushes
// and its tail (up to its closing brace), each from the source text while it
// holds them.
template <class WriteKeys>
EntitySpan CMapWriter::WriteEntityParts(const EntitySpan& source, bool keysKept,
                                        const BrushList* brushes, WriteKeys writeKeys) {
    const bool keeping = !m_source.empty();
    EntitySpan saved;
    saved.begin = static_cast<uint32_t>(Position());
    if (keeping && keysKept && source.IsHeadKept()) {
        PutSource(source.begin, source.headEnd);
    } else {
        if (keeping && source.HasLead())
            PutSource(source.begin, static_cast<uint32_t>(FindLeadEnd(m_source, source.begin)));
        PutWritten(writeKeys);
    }
    saved.headEnd = static_cast<uint32_t>(Position());
    if (brushes) {
        for (const auto& brush : *brushes)
            WriteBrushKeepingText(*brush);
    }
    saved.tailBegin = static_cast<uint32_t>(Position());
    if (keeping && source.IsTailKept())
        PutSource(source.tailBegin, source.end);
    else
        PutWritten([&] { Put("}\n"); });
    saved.end = static_cast<uint32_t>(Position());
    return saved;
}

// The world's text holds its "wad" and "mapversion" too, which are not its
// keys' own.
bool CMapWriter::WorldKeysKept(const CWorldKeys& world) const {
    const MapSourceText& source = *m_contents.source;
    const bool sameWad = m_contents.wad.has_value() == source.wad.has_value() &&
                         (!source.wad || *m_contents.wad == *source.wad);
    return world.m_worldSource.IsHeadKept() && sameWad &&
           m_contents.statesMapVersion == source.statesMapVersion;
}

// The comment lines that headed the file ("// Game: Quake", "// Format:
// Valve") come back; one naming the form follows the form the map is saved in.
void CMapWriter::WriteHeader() {
    for (std::string_view text = m_contents.header; !text.empty();) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        Put(RestateFormatLine(line, m_contents.format));
        Put('\n');
    }
}

std::string CMapWriter::FindWholeReason(const MapContents& contents) {
    if (!contents.keepLayout || !contents.source || !contents.source->HasText())
        return {};
    if (!contents.source->wholeReason.empty())
        return contents.source->wholeReason;
    if (contents.format != contents.source->format)
        return "its face lines are saved in another form";
    if (!contents.world)
        return "it has no world entity";
    return {};
}

bool CMapWriter::WriteMap() {
    const std::string wholeReason = FindWholeReason(m_contents);
    if (m_saved)
        m_saved->wholeReason = wholeReason;
    // The world's text holds the byte-order mark and the header.
    if (m_contents.keepLayout && m_contents.source && m_contents.source->HasText() &&
        wholeReason.empty()) {
        m_source = *m_contents.source->text;
        m_layout = FindSourceLayout(m_source);
    } else {
        if (m_contents.utf8Mark)
            Put(kUtf8Mark);
        WriteHeader();
    }
    if (m_contents.world) {
        const CWorldKeys& world = *m_contents.world;
        EntitySpan span =
            WriteEntityParts(world.m_worldSource, !m_source.empty() && WorldKeysKept(world),
                             m_contents.worldBrushes, [&] { WriteWorldKeys(world); });
        span.begin = 0;
        if (m_saved)
            m_saved->spans.world = span;
    }
    for (const MapOrderEntry& entry :
         ArrangeInMapOrder(m_contents.modelEntities, m_contents.pointEntities)) {
        if (entry.point) {
            const CPointEntity& entity = *(*m_contents.pointEntities)[entry.index];
            const EntitySpan span = WriteEntityParts(entity.m_source, true, nullptr,
                                                     [&] { WritePointEntityKeys(entity); });
            if (m_saved)
                m_saved->spans.pointEntities.emplace_back(&entity, span);
        } else {
            const CModelEntity& entity = *(*m_contents.modelEntities)[entry.index];
            const EntitySpan span = WriteEntityParts(entity.m_source, true, &entity.m_brushes,
                                                     [&] { WriteModelEntityKeys(entity); });
            if (m_saved)
                m_saved->spans.modelEntities.emplace_back(&entity, span);
        }
    }
    if (m_saved)
        m_saved->spans.trailingBegin = static_cast<uint32_t>(Position());
    const uint32_t trailingBegin = m_contents.source ? m_contents.source->trailingBegin : kNoText;
    if (!m_source.empty() && trailingBegin != kNoText)
        PutSource(trailingBegin, static_cast<uint32_t>(m_source.size()));
    Flush();
    return !m_failed;
}

namespace {

constexpr size_t kMaxWritableLength = kMaxTokenLength; // what the reader takes back in one token

// Why `text` cannot stand between double quotes in a map file, or null.
const char* ProblemWithQuotedText(const std::string& text) {
    if (text.find('"') != std::string::npos)
        return "contains a double quote, which a map file cannot hold";
    if (text.size() > kMaxWritableLength)
        return "is longer than the 1023 characters a map file can hold";
    return nullptr;
}

class CTextCheck {
public:
    template <class Entity>
    void CheckKeys(const std::string& classname, const Entity& entity,
                   std::span<const KeyRule<Entity>> rules) {
        for (const KeyRule<Entity>& rule : rules) {
            auto text = std::get_if<std::string Entity::*>(&rule.field);
            if (text && rule.written != KeyWritten::kNever && rule.AppliesTo(entity))
                Check(classname, rule.name, entity.**text);
        }
    }
    void Check(const std::string& classname, const char* key, const std::string& value) {
        if (m_problem)
            return;
        if (const char* problem = ProblemWithQuotedText(value))
            Describe(classname, key, "value", problem);
    }
    void CheckCustom(const std::string& classname, const CustomPair& pair) {
        if (m_problem || pair.key.empty())
            return;
        const char* problem = ProblemWithQuotedText(pair.key);
        if (!problem && (pair.key == "{" || pair.key == "}"))
            problem = "is a brace, which a map file reads as the end of an entity";
        if (problem)
            Describe(classname, pair.key.c_str(), "key", problem);
        else
            Check(classname, pair.key.c_str(), pair.value);
    }
    void CheckOther(const std::string& classname, const CustomPairList& pairs,
                    const CKeptTexts& kept, const CKeyLayout& layout) {
        for (const CustomPair& pair : pairs)
            CheckCustom(classname, pair);
        for (const CustomPair& pair : layout.GetOverridden())
            CheckCustom(classname, pair);
        for (const CustomPair& text : kept.Texts())
            Check(classname, text.key.c_str(), text.value);
    }
    void CheckBrushes(const std::string& classname, const BrushList& brushes) {
        for (const auto& brush : brushes) {
            for (int f = 0; f < brush->m_numFaces && !m_problem; ++f) {
                if (std::strchr(brush->m_faces[f].texture, '"')) {
                    m_problem = "Cannot save the map: the texture name \"" +
                                std::string(brush->m_faces[f].texture) +
                                "\" of a brush of the entity \"" + classname +
                                "\" contains a double quote, which a map file cannot hold.";
                }
            }
        }
    }
    std::optional<std::string> m_problem;

private:
    void Describe(const std::string& classname, const char* key, const char* what,
                  const char* problem) {
        m_problem = "Cannot save the map: the " + std::string(what) + " of the key \"" + key +
                    "\" of the entity \"" + classname + "\" " + problem + ".";
    }
};

} // namespace

std::optional<std::string> CMapWriter::FindUnwritableText(const MapContents& contents) {
    CTextCheck check;
    if (contents.world) {
        const std::string world = "worldspawn";
        if (contents.wad)
            check.Check(world, "wad", std::string(*contents.wad));
        check.CheckKeys(world, *contents.world, WorldKeys());
        check.CheckOther(world, contents.world->m_worldOtherPairs, contents.world->m_worldKeptTexts,
                         contents.world->m_worldKeyLayout);
        if (contents.worldBrushes)
            check.CheckBrushes(world, *contents.worldBrushes);
    }
    if (contents.modelEntities) {
        for (const auto& e : *contents.modelEntities) {
            check.CheckKeys<CModelEntityKeys>(e->m_classname, *e, ModelEntityKeys());
            check.CheckOther(e->m_classname, e->m_otherPairs, e->m_keptTexts, e->m_keyLayout);
            check.CheckBrushes(e->m_classname, e->m_brushes);
        }
    }
    if (contents.pointEntities) {
        for (const auto& e : *contents.pointEntities) {
            check.CheckKeys(e->m_classname, *e, PointEntityKeys());
            check.CheckOther(e->m_classname, e->m_otherPairs, e->m_keptTexts, e->m_keyLayout);
        }
    }
    return check.m_problem;
}

std::optional<std::string> CMapWriter::FindUnwritableText(const CTolveDoc& doc) {
    return FindUnwritableText(doc.GetContents());
}

std::string CMapWriter::WriteText(const MapContents& contents) {
    std::string text;
    CMapWriter(contents, [&](const char* data, size_t size) {
        text.append(data, size);
        return true;
    }).WriteMap();
    return text;
}

std::optional<FileError> CMapWriter::WriteFile(const MapContents& contents, const std::string& path,
                                               WrittenFile* written, const ExpectedTarget* expected,
                                               SavedText* savedText) {
    if (std::optional<std::string> problem = FindUnwritableText(contents))
        return FileError{path, *problem, true};
    CSafeFileWriter file(path);
    if (expected)
        file.Expect(*expected);
    bool saved = file.Open();
    if (saved) {
        CMapWriter writer(contents,
                          [&](const char* data, size_t size) { return file.Write(data, size); });
        writer.KeepSavedText(savedText);
        saved = writer.WriteMap() && file.Commit();
    }
    if (!saved)
        return FileError{path, file.GetError(), false, file.WasChangedMeanwhile()};
    if (written)
        *written = file.GetWrittenFile();
    return std::nullopt;
}
