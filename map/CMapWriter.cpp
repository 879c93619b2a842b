#include "map/CMapWriter.h"

#include "framework/TextToNumber.h"
#include "map/CMapTokenizer.h"
#include "map/CTolveDoc.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kFlushSize = 1 << 18;

// The reader splits tokens at these bytes (every byte above 127 included).
bool IsSeparator(char c) {
    return static_cast<signed char>(c) <= 32;
}

bool NeedsQuotes(const char* texture) {
    if (texture[0] == '\0' || (texture[0] == '/' && texture[1] == '/'))
        return true;
    for (const char* c = texture; *c; ++c) {
        if (IsSeparator(*c))
            return true;
    }
    return false;
}

} // namespace

CMapWriter::CMapWriter(const CTolveDoc& doc, Sink sink) : m_doc(doc), m_sink(std::move(sink)) {
    m_buffer.reserve(kFlushSize + 4096);
}

void CMapWriter::Flush() {
    if (!m_failed && !m_buffer.empty() && !m_sink(m_buffer.data(), m_buffer.size()))
        m_failed = true;
    m_buffer.clear();
}

void CMapWriter::Put(const char* text, size_t size) {
    m_buffer.append(text, size);
    if (m_buffer.size() >= kFlushSize)
        Flush();
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

void CMapWriter::PutUnsigned(uint32_t value) {
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    Put(digits, static_cast<size_t>(result.ptr - digits));
}

// "%f": six decimals, exactly as printf rounds them.
void CMapWriter::PutFixed(float value) {
    char digits[kFixedTextCapacity];
    Put(digits, FormatFixed(value, digits));
}

void CMapWriter::WriteTextKey(const char* key, const std::string& value) {
    Put("\t\"");
    Put(key);
    Put("\" \"");
    Put(value);
    Put("\"\n");
}

void CMapWriter::WriteSignedKey(const char* key, int32_t value) {
    Put("\t\"");
    Put(key);
    Put("\" \"");
    PutSigned(value);
    Put("\"\n");
}

void CMapWriter::WriteUnsignedKey(const char* key, uint32_t value) {
    Put("\t\"");
    Put(key);
    Put("\" \"");
    PutUnsigned(value);
    Put("\"\n");
}

void CMapWriter::WriteTextKeyIfSet(const char* key, const std::string& value) {
    if (!value.empty())
        WriteTextKey(key, value);
    else
        WriteKeptText(key); // an empty value the file had
}

// A number key whose text the field could not hold is written as read, in
// its own place, whatever the field says.
bool CMapWriter::WriteKeptText(const char* key) {
    if (!m_kept || m_kept->IsEmpty())
        return false;
    const std::string* text = m_kept->Find(key);
    if (!text)
        return false;
    WriteTextKey(key, *text);
    return true;
}

void CMapWriter::WriteSignedKeyIf(bool present, const char* key, int32_t value) {
    if (!WriteKeptText(key) && present)
        WriteSignedKey(key, value);
}

void CMapWriter::WriteUnsignedKeyIf(bool present, const char* key, uint32_t value) {
    if (!WriteKeptText(key) && present)
        WriteUnsignedKey(key, value);
}

void CMapWriter::WritePointKey(const char* key, const IntPoint& point) {
    if (WriteKeptText(key))
        return;
    Put("\t\"");
    Put(key);
    Put("\" \"");
    PutSigned(point.x);
    Put(' ');
    PutSigned(point.y);
    Put(' ');
    PutSigned(point.z);
    Put("\"\n");
}

void CMapWriter::WriteOtherPairs(const CustomPairList& pairs) {
    for (const CustomPair& pair : pairs) {
        if (!pair.key.empty())
            WriteTextKey(pair.key.c_str(), pair.value);
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

void CMapWriter::WriteFaceTexture(const char* texture, int16_t xOffset, int16_t yOffset,
                                  float rotation, float xScale, float yScale) {
    if (NeedsQuotes(texture)) {
        Put('"');
        Put(texture);
        Put('"');
    } else {
        Put(texture);
    }
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
    const KeptBrushText* kept = brush.m_keptText.get();
    for (int f = 0; f < brush.m_numFaces; ++f) {
        WriteHiddenFaces(brush, f);
        const BrushFace& face = brush.m_faces[f];
        Put("\t\t");
        const std::string* planeText = read ? read->FindPlaneText(f) : nullptr;
        if (planeText) {
            Put(*planeText);
            Put(' ');
        } else {
            IntPoint points[3];
            const bool fromReadPlane = read && read->kept[f];
            for (int k = 0; k < 3; ++k)
                points[k] =
                    fromReadPlane ? read->points[f][k] : brush.m_vertices[face.vertexIndex[k]];
            WritePlanePoints(points);
        }
        const std::string* textureText = kept ? kept->FindTextureText(f) : nullptr;
        if (textureText) {
            Put(*textureText);
            Put('\n');
        } else {
            WriteFaceTexture(face.texture, face.xOffset, face.yOffset, face.rotation, face.xScale,
                             face.yScale);
        }
    }
    WriteHiddenFaces(brush, brush.m_numFaces);
    Put("\t}\n");
}

void CMapWriter::WriteWorld() {
    m_kept = &m_doc.m_worldKeptTexts;
    Put("{\n\t\"classname\" \"worldspawn\"\n");
    WriteTextKey("wad", m_doc.m_textureWad.GetFileName());
    WriteTextKeyIfSet("message", m_doc.m_worldMessage);
    WriteUnsignedKeyIf(m_doc.m_worldType >= 0, "worldtype",
                       static_cast<uint32_t>(m_doc.m_worldType));
    WriteUnsignedKeyIf(m_doc.m_hasWorldSounds, "sounds", m_doc.m_worldSounds);
    WriteUnsignedKeyIf(m_doc.m_hasWorldLight, "light", m_doc.m_worldLight);
    WriteOtherPairs(m_doc.m_worldOtherPairs);
    for (const auto& brush : m_doc.m_worldBrushes)
        WriteBrush(*brush);
    Put("}\n");
}

void CMapWriter::WriteModelEntity(const CModelEntity& e) {
    m_kept = &e.m_keptTexts;
    Put("{\n");
    WriteTextKey("classname", e.m_classname);
    WriteTextKeyIfSet("target", e.m_target);
    WriteTextKeyIfSet("targetname", e.m_targetname);
    WriteTextKeyIfSet("killtarget", e.m_killtarget);
    WriteUnsignedKeyIf(e.m_spawnflags != 0, "spawnflags", e.m_spawnflags);
    if (e.m_classname == kSetSkillClass)
        WriteUnsignedKeyIf(true, "message", e.m_skill);
    else if (!e.m_message.empty())
        WriteTextKey("message", e.m_message);
    WriteSignedKeyIf(e.m_hasSpeed, "speed", e.m_speed);
    WriteSignedKeyIf(e.m_hasWait, "wait", e.m_wait);
    WriteSignedKeyIf(e.m_hasLip, "lip", e.m_lip);
    WriteSignedKeyIf(e.m_hasDmg, "dmg", e.m_dmg);
    WriteSignedKeyIf(e.m_hasHealth, "health", e.m_health);
    WriteSignedKeyIf(e.m_hasDelay, "delay", e.m_delay);
    WriteUnsignedKeyIf(e.m_hasSounds, "sounds", e.m_sounds);
    WriteSignedKeyIf(e.m_hasHeight, "height", e.m_height);
    WriteTextKeyIfSet("map", e.m_map);
    WriteOtherPairs(e.m_otherPairs);
    for (const auto& brush : e.m_brushes)
        WriteBrush(*brush);
    Put("}\n");
}

void CMapWriter::WritePointEntity(const CPointEntity& e) {
    m_kept = &e.m_keptTexts;
    Put("{\n");
    WriteTextKey("classname", e.m_classname);
    WritePointKey("origin", e.m_origin);
    WriteSignedKeyIf(e.m_hasAngle, "angle", e.m_angle);
    WriteUnsignedKeyIf(e.m_hasLight, "light", e.m_light);
    WriteTextKeyIfSet("target", e.m_target);
    WriteTextKeyIfSet("targetname", e.m_targetname);
    WriteTextKeyIfSet("killtarget", e.m_killtarget);
    WriteUnsignedKeyIf(e.m_spawnflags != 0, "spawnflags", e.m_spawnflags);
    WriteUnsignedKeyIf(e.m_style != 0, "style", e.m_style);
    WriteTextKeyIfSet("message", e.m_message);
    if (e.m_hasMangle)
        WritePointKey("mangle", e.m_mangle);
    // Widened with its sign, then written unsigned.
    WriteUnsignedKeyIf(e.m_hasNextthink, "nextthink",
                       static_cast<uint32_t>(int32_t{e.m_nextthink}));
    WriteOtherPairs(e.m_otherPairs);
    Put("}\n");
}

bool CMapWriter::WriteMap() {
    WriteWorld();
    for (const auto& entity : m_doc.m_modelEntities)
        WriteModelEntity(*entity);
    for (const auto& entity : m_doc.m_pointEntities)
        WritePointEntity(*entity);
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
                    const CKeptTexts& kept) {
        for (const CustomPair& pair : pairs)
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

std::optional<std::string> CMapWriter::FindUnwritableText(const CTolveDoc& doc) {
    CTextCheck check;
    const std::string world = "worldspawn";
    check.Check(world, "wad", doc.m_textureWad.GetFileName());
    check.Check(world, "message", doc.m_worldMessage);
    check.CheckOther(world, doc.m_worldOtherPairs, doc.m_worldKeptTexts);
    check.CheckBrushes(world, doc.m_worldBrushes);
    for (const auto& e : doc.m_modelEntities) {
        check.Check(e->m_classname, "classname", e->m_classname);
        check.Check(e->m_classname, "target", e->m_target);
        check.Check(e->m_classname, "targetname", e->m_targetname);
        check.Check(e->m_classname, "killtarget", e->m_killtarget);
        if (e->m_classname != kSetSkillClass)
            check.Check(e->m_classname, "message", e->m_message);
        check.Check(e->m_classname, "map", e->m_map);
        check.CheckOther(e->m_classname, e->m_otherPairs, e->m_keptTexts);
        check.CheckBrushes(e->m_classname, e->m_brushes);
    }
    for (const auto& e : doc.m_pointEntities) {
        check.Check(e->m_classname, "classname", e->m_classname);
        check.Check(e->m_classname, "target", e->m_target);
        check.Check(e->m_classname, "targetname", e->m_targetname);
        check.Check(e->m_classname, "killtarget", e->m_killtarget);
        check.Check(e->m_classname, "message", e->m_message);
        check.CheckOther(e->m_classname, e->m_otherPairs, e->m_keptTexts);
    }
    return check.m_problem;
}
