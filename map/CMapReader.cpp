#include "map/CMapReader.h"

#include "framework/TextToNumber.h"
#include "map/BrushGeometry.h"
#include "map/CTolveDoc.h"

#include <cstring>

namespace {

bool Equals(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

} // namespace

CMapReader::CMapReader(CTolveDoc& doc, const char* text, CMapDiagnostics& diagnostics)
    : m_doc(doc), m_diagnostics(diagnostics), m_tokenizer(text, diagnostics) {}

void CMapReader::ReadMap() {
    while (m_tokenizer.GetToken(false)) {
        if (!m_tokenizer.TokenIs('{')) {
            m_diagnostics.Report(m_tokenizer.Line(), -1, "Error: { not found\n");
            continue;
        }
        ReadEntity();
    }
}

void CMapReader::ReadEntity() {
    m_pairs.clear();
    m_pairText.clear();
    m_brushes.clear();
    while (m_tokenizer.GetToken(false) && !m_tokenizer.TokenIs('}')) {
        if (m_tokenizer.TokenIs('{'))
            ReadBrush();
        else
            AddPair();
    }
    StoreEntity();
}

void CMapReader::AddPair() {
    Pair pair;
    pair.line = m_tokenizer.Line();
    pair.key = static_cast<uint32_t>(m_pairText.size());
    m_pairText.append(m_tokenizer.Token()).push_back('\0');
    // At the end of the text the value is whatever the token still holds.
    m_tokenizer.GetToken(true);
    pair.value = static_cast<uint32_t>(m_pairText.size());
    m_pairText.append(m_tokenizer.Token()).push_back('\0');
    m_pairs.push_back(pair);
}

bool CMapReader::ReadSameLine() {
    if (m_tokenizer.GetToken(true))
        return true;
    m_faceCut = true;
    return false;
}

bool CMapReader::ReadPoint(IntPoint& point) {
    int32_t* coordinates[3] = {&point.x, &point.y, &point.z};
    for (int32_t* coordinate : coordinates) {
        if (!ReadSameLine())
            return false;
        *coordinate = ParseInt(m_tokenizer.Token());
    }
    if (!ReadSameLine())
        return false;
    if (!m_tokenizer.TokenIs(')'))
        m_diagnostics.Report(m_tokenizer.Line(), -1, "parsing map file - missing )");
    return true;
}

// Reads the rest of a face line whose first token has been read. Returns false
// when the text ends inside it.
bool CMapReader::ReadFace(FaceDef& face) {
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (!m_tokenizer.GetToken(false)) {
                m_faceCut = true;
                return false;
            }
            if (!m_tokenizer.TokenIs('('))
                m_diagnostics.Report(m_tokenizer.Line(), -1, "parsing map file - missing (\n");
        }
        if (!ReadPoint(face.points[i]))
            return false;
    }
    if (!ReadSameLine())
        return false;
    const char* texture = m_tokenizer.Token();
    size_t length = std::strlen(texture);
    if (length > kMaxTextureName) {
        m_diagnostics.Report(m_tokenizer.Line(), -1,
                             "Texture name is longer than 15 characters; it was shortened\n");
        length = kMaxTextureName;
    }
    std::memcpy(face.texture, texture, length);
    face.texture[length] = '\0';
    float* numbers[5] = {&face.xOffset, &face.yOffset, &face.rotation, &face.xScale, &face.yScale};
    for (float* number : numbers) {
        if (!ReadSameLine())
            return false;
        *number = static_cast<float>(ParseDouble(m_tokenizer.Token()));
    }
    return true;
}

void CMapReader::ReadBrush() {
    const int braceLine = m_tokenizer.Line();
    int faceLines = 0;
    m_def.numFaces = 0;
    m_faceCut = false;
    while (!m_faceCut && m_tokenizer.GetToken(false) && !m_tokenizer.TokenIs('}')) {
        FaceDef spare;
        FaceDef& face = faceLines < kMaxBrushFaces ? m_def.faces[faceLines] : spare;
        face = FaceDef();
        if (!ReadFace(face))
            break; // a face line cut off by the end of the text is left out
        ++faceLines;
    }
    if (faceLines > kMaxBrushFaces) {
        m_diagnostics.Report(braceLine, braceLine,
                             "Brush has more than 32 faces; it was left out\n");
        return;
    }
    m_def.numFaces = static_cast<uint8_t>(faceLines);
    auto brush = std::make_unique<CMapBrush>();
    auto report = [&](std::string_view message) { m_diagnostics.Report(0, braceLine, message); };
    if (!BuildBrush(*brush, m_def, report)) {
        m_diagnostics.Report(braceLine, braceLine,
                             "Brush has more than 64 corners; it was left out\n");
        return;
    }
    m_brushes.push_back(std::move(brush));
}

// "origin" and "mangle": numbers after any spaces; the first two end at the
// next space character.
void CMapReader::ReadTriple(const Pair& pair, IntPoint& point) {
    int32_t* components[3] = {&point.x, &point.y, &point.z};
    const char* text = Value(pair);
    for (int i = 0; i < 3; ++i) {
        while (*text == ' ')
            ++text;
        *components[i] = ParseInt(text);
        if (i == 2)
            break;
        text = std::strchr(text, ' ');
        if (!text) {
            for (int missing = i + 1; missing < 3; ++missing)
                *components[missing] = 0;
            std::string message = "Value of \"";
            message.append(Key(pair)).append("\" has fewer than three numbers\n");
            m_diagnostics.Report(pair.line, -1, message);
            return;
        }
    }
}

void CMapReader::StoreEntity() {
    const char* classname = "";
    for (const Pair& pair : m_pairs) {
        if (Equals(Key(pair), "classname"))
            classname = Value(pair);
    }
    // The world is always saved, brushes or not; reading a brushless world as
    // a point entity would add one more "worldspawn" at every save.
    if (Equals(classname, "worldspawn"))
        StoreWorld();
    else if (m_brushes.empty())
        StorePointEntity();
    else
        StoreModelEntity(classname);
}

void CMapReader::StorePointEntity() {
    auto entity = std::make_unique<CPointEntity>();
    CPointEntity& e = *entity;
    for (const Pair& pair : m_pairs) {
        const char* key = Key(pair);
        const char* value = Value(pair);
        if (Equals(key, "angle")) {
            e.m_angle = static_cast<int16_t>(ParseInt(value));
            e.m_hasAngle = true;
        } else if (Equals(key, "classname")) {
            e.m_classname = value;
        } else if (Equals(key, "killtarget")) {
            e.m_killtarget = value;
        } else if (Equals(key, "light")) {
            e.m_light = static_cast<uint16_t>(ParseInt(value));
            e.m_hasLight = true;
        } else if (Equals(key, "mangle")) {
            ReadTriple(pair, e.m_mangle);
            e.m_hasMangle = true;
        } else if (Equals(key, "message")) {
            e.m_message = value;
        } else if (Equals(key, "nextthink")) {
            e.m_nextthink = static_cast<int16_t>(ParseInt(value));
            e.m_hasNextthink = true;
        } else if (Equals(key, "origin")) {
            ReadTriple(pair, e.m_origin);
        } else if (Equals(key, "spawnflags")) {
            e.m_spawnflags = static_cast<uint16_t>(ParseInt(value));
        } else if (Equals(key, "style")) {
            e.m_style = static_cast<uint8_t>(ParseInt(value));
        } else if (Equals(key, "target")) {
            e.m_target = value;
        } else if (Equals(key, "targetname")) {
            e.m_targetname = value;
        }
    }
    m_doc.m_pointEntities.push_back(std::move(entity));
}

void CMapReader::StoreWorld() {
    // Each brush-bearing worldspawn starts these again; later pairs win.
    m_doc.m_worldType = -1;
    m_doc.m_hasWorldLight = false;
    m_doc.m_hasWorldSounds = false;
    for (const Pair& pair : m_pairs) {
        const char* key = Key(pair);
        const char* value = Value(pair);
        if (Equals(key, "light")) {
            m_doc.m_worldLight = static_cast<uint16_t>(ParseInt(value));
            m_doc.m_hasWorldLight = true;
        } else if (Equals(key, "sounds")) {
            m_doc.m_worldSounds = static_cast<uint8_t>(ParseInt(value));
            m_doc.m_hasWorldSounds = true;
        } else if (Equals(key, "message")) {
            m_doc.m_worldMessage = value;
        } else if (Equals(key, "wad")) {
            m_doc.m_textureWad.SetFileName(value);
        } else if (Equals(key, "worldtype")) {
            m_doc.m_worldType = static_cast<int16_t>(ParseInt(value));
        }
    }
    for (auto& brush : m_brushes)
        m_doc.m_worldBrushes.push_back(std::move(brush));
    m_brushes.clear();
}

void CMapReader::StoreModelEntity(const char* classname) {
    auto entity = std::make_unique<CModelEntity>();
    CModelEntity& e = *entity;
    e.m_classname = classname;
    struct NumberKey {
        const char* key;
        int16_t CModelEntity::*field;
        bool CModelEntity::*present;
    };
    static const NumberKey kNumberKeys[] = {
        {"delay", &CModelEntity::m_delay, &CModelEntity::m_hasDelay},
        {"dmg", &CModelEntity::m_dmg, &CModelEntity::m_hasDmg},
        {"health", &CModelEntity::m_health, &CModelEntity::m_hasHealth},
        {"height", &CModelEntity::m_height, &CModelEntity::m_hasHeight},
        {"lip", &CModelEntity::m_lip, &CModelEntity::m_hasLip},
        {"speed", &CModelEntity::m_speed, &CModelEntity::m_hasSpeed},
        {"wait", &CModelEntity::m_wait, &CModelEntity::m_hasWait},
    };
    for (const Pair& pair : m_pairs) {
        const char* key = Key(pair);
        const char* value = Value(pair);
        const NumberKey* number = nullptr;
        for (const NumberKey& candidate : kNumberKeys) {
            if (Equals(key, candidate.key))
                number = &candidate;
        }
        if (number) {
            e.*number->field = static_cast<int16_t>(ParseInt(value));
            e.*number->present = true;
        } else if (Equals(key, "entityclass")) {
            e.m_classname = value;
        } else if (Equals(key, "killtarget")) {
            e.m_killtarget = value;
        } else if (Equals(key, "map")) {
            e.m_map = value;
        } else if (Equals(key, "message")) {
            if (e.m_classname == kSetSkillClass)
                e.m_skill = static_cast<uint8_t>(ParseInt(value));
            else
                e.m_message = value;
        } else if (Equals(key, "sounds")) {
            e.m_sounds = static_cast<uint8_t>(ParseInt(value));
            e.m_hasSounds = true;
        } else if (Equals(key, "spawnflags")) {
            e.m_spawnflags = static_cast<uint16_t>(ParseInt(value));
        } else if (Equals(key, "target")) {
            e.m_target = value;
        } else if (Equals(key, "targetname")) {
            e.m_targetname = value;
        }
    }
    e.m_brushes = std::move(m_brushes);
    m_brushes.clear();
    m_doc.m_modelEntities.push_back(std::move(entity));
}
