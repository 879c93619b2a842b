#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "map/CustomPair.h"
#include "map/IntPoint.h"

class CTolveDoc;
class CMapBrush;
class CModelEntity;
class CPointEntity;
class CKeptTexts;
struct CustomPair;

// Writes a document as map text: the world, then the brush entities, then the
// point entities, each key on its own line in a fixed order. Text is handed to
// `sink` in large pieces; the sink returns false to stop the writing.
class CMapWriter {
public:
    using Sink = std::function<bool(const char* data, size_t size)>;

    CMapWriter(const CTolveDoc& doc, Sink sink);

    // Returns false when the sink failed.
    bool WriteMap();

    // Why the document cannot be written as map text (a value holding a double
    // quote, for instance), or nothing when it can.
    static std::optional<std::string> FindUnwritableText(const CTolveDoc& doc);

private:
    void WriteWorld();
    void WriteModelEntity(const CModelEntity& entity);
    void WritePointEntity(const CPointEntity& entity);
    void WriteBrush(const CMapBrush& brush);
    void WriteFaceLine(const IntPoint (&points)[3], const char* texture, int16_t xOffset,
                       int16_t yOffset, float rotation, float xScale, float yScale);
    void WriteFaceTexture(const char* texture, int16_t xOffset, int16_t yOffset, float rotation,
                          float xScale, float yScale);
    void WritePlanePoints(const IntPoint (&points)[3]);
    void WriteHiddenFaces(const CMapBrush& brush, int before);
    void WriteOtherPairs(const CustomPairList& pairs);
    bool WriteKeptText(const char* key);
    void WriteTextKey(const char* key, const std::string& value);
    void WriteSignedKey(const char* key, int32_t value);
    void WriteUnsignedKey(const char* key, uint32_t value);
    void WriteTextKeyIfSet(const char* key, const std::string& value);
    void WriteSignedKeyIf(bool present, const char* key, int32_t value);
    void WriteUnsignedKeyIf(bool present, const char* key, uint32_t value);
    void WritePointKey(const char* key, const IntPoint& point);

    void Put(const char* text, size_t size);
    void Put(const char* text);
    void Put(const std::string& text) { Put(text.data(), text.size()); }
    void Put(char c);
    void PutSigned(int32_t value);
    void PutUnsigned(uint32_t value);
    void PutFixed(float value);
    void Flush();

    const CTolveDoc& m_doc;
    const CKeptTexts* m_kept = nullptr; // of the entity being written
    Sink m_sink;
    bool m_failed = false;
    std::string m_buffer;
};
