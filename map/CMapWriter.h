#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/FileError.h"
#include "map/CustomPair.h"
#include "map/IntPoint.h"
#include "map/MapFragment.h"
#include "map/SourceLayout.h"

class CTolveDoc;
class CMapBrush;
struct ExpectedTarget;
class CModelEntity;
class CPointEntity;
class CKeptTexts;
class CKeyLayout;
class CWorldKeys;
struct WrittenFile;
struct CustomPair;
struct ValveAxes;
template <class Entity> struct KeyRule;

// Writes a document or a fragment as map text: the comment lines that headed
// the file, the world, then the entities in map order, each key on its own
// line in the order the file gave them (new ones in the order of the key
// tables). Every face line takes the form of the contents (standard or
// Valve 220); a face made in the other form is converted. Text is handed to `sink` in large pieces;
// the sink returns false to stop the writing.
// Contents that keep their layout (MapContents::keepLayout) are written as
// their source text with only what was touched written anew: an object whose
// span still holds its text is copied byte for byte, with the comments before
// it; one touched keeps those comments and is written in the file's layout
// (SourceLayout); what follows the last entity stays. When the whole map must
// be written anew (read with problems, saved in another form), it is, and
// the writer tells why.
class CMapWriter {
public:
    using Sink = std::function<bool(const char* data, size_t size)>;

    // What a save wrote: its text and where each object's text went, for the
    // map to keep once the file is on disk.
    struct SavedText {
        std::string text;
        SavedSpans spans;
        // Why a map that keeps its layout was written anew whole; empty when
        // it was not.
        std::string wholeReason;
    };

    CMapWriter(const MapContents& contents, Sink sink);
    CMapWriter(const CTolveDoc& doc, Sink sink);

    // Returns false when the sink failed.
    bool WriteMap();

    // Why the document cannot be written as map text (a value holding a double
    // quote, for instance), or nothing when it can.
    static std::optional<std::string> FindUnwritableText(const MapContents& contents);
    // The whole text at once.
    static std::string WriteText(const MapContents& contents);
    // Writes a file safely (the old one survives any failure); refuses
    // contents the format cannot hold. Touches no document. `written`, when
    // given, learns what a successful save left on disk; `expected`, when
    // given, is the state the target must still be in (see CSafeFileWriter).
    static std::optional<FileError> WriteFile(const MapContents& contents, const std::string& path,
                                              WrittenFile* written = nullptr,
                                              const ExpectedTarget* expected = nullptr,
                                              SavedText* saved = nullptr);
    // Learns the text written and the spans of the objects in it.
    void KeepSavedText(SavedText* saved) { m_saved = saved; }
    // Why the whole map was written anew though its layout was to be kept.
    static std::string FindWholeReason(const MapContents& contents);
    static std::optional<std::string> FindUnwritableText(const CTolveDoc& doc);

    // Every pair an entity is written with, as it is written, in the order of
    // its lines: what a search or a table of keys shows of it.
    static CustomPairList ListKeys(const CPointEntity& entity);
    static CustomPairList ListKeys(const CModelEntity& entity);

private:
    // One line of an entity's keys, gathered before the entity's lines are
    // written in the order its file gave them.
    struct KeyLine {
        std::string_view key;
        size_t begin = 0; // in m_keyText
        size_t size = 0;
        bool overridden = false;
    };

    void WriteHeader();
    void WriteWorldKeys(const CWorldKeys& world);
    void WriteModelEntityKeys(const CModelEntity& entity);
    void WritePointEntityKeys(const CPointEntity& entity);
    template <class WriteKeys>
    EntitySpan WriteEntityParts(const EntitySpan& source, bool keysKept, const BrushList* brushes,
                                WriteKeys writeKeys);
    void WriteBrushKeepingText(const CMapBrush& brush);
    bool WorldKeysKept(const CWorldKeys& world) const;
    template <class Write> void PutWritten(Write write);
    void PutSource(uint32_t begin, uint32_t end);
    uint64_t Position() const { return m_flushed + m_buffer.size(); }
    template <class Entity>
    void AddKeys(const Entity& entity, std::span<const KeyRule<Entity>> rules,
                 const CKeptTexts& kept);
    void WriteBrush(const CMapBrush& brush);
    void WriteFaceLine(const IntPoint (&points)[3], const char* texture, int16_t xOffset,
                       int16_t yOffset, float rotation, float xScale, float yScale);
    void WriteFaceTexture(const char* texture, int16_t xOffset, int16_t yOffset, float rotation,
                          float xScale, float yScale);
    void WriteValveTexture(const char* texture, const ValveAxes& axes, float rotation, float xScale,
                           float yScale);
    void WriteTexturePart(const CMapBrush& brush, int face);
    void PutTextureName(const char* texture);
    void WritePlanePoints(const IntPoint (&points)[3]);
    void WriteHiddenFaces(const CMapBrush& brush, int before);
    void AddOtherPairs(const CustomPairList& pairs);
    void AddOverriddenPairs(const CKeyLayout& layout);
    bool AddKeptText(const CKeptTexts& kept, const char* key);
    void AddKey(std::string_view key, std::string_view value, bool overridden = false);
    void AddNumberKey(std::string_view key, int64_t value);
    void AddPointKey(std::string_view key, const IntPoint& point);
    void PutKeys(const CKeyLayout& layout);
    // The lines gathered for one entity, in the order they are written.
    std::vector<const KeyLine*> ArrangeKeys(const CKeyLayout& layout) const;
    // Gathers the lines of either kind of entity.
    template <class Entity, class Keys>
    void GatherKeys(const Entity& entity, std::span<const KeyRule<Keys>> rules);
    CustomPairList TakeKeyPairs(const CKeyLayout& layout);

    void Put(const char* text, size_t size);
    void Put(const char* text);
    void Put(const std::string& text) { Put(text.data(), text.size()); }
    void Put(std::string_view text) { Put(text.data(), text.size()); }
    void Put(char c);
    void PutSigned(int32_t value);
    void PutFixed(float value);
    template <class Number> void PutShortest(Number value);
    void Flush();

    MapContents m_contents;
    Sink m_sink;
    bool m_failed = false;
    std::string m_buffer;
    std::string m_keyText;
    std::vector<KeyLine> m_keyLines;
    uint64_t m_flushed = 0;
    bool m_writingPart = false; // the buffer holds one object's text to be laid out: no flush
    // Set while the source text is kept.
    std::string_view m_source;
    SourceLayout m_layout;
    SavedText* m_saved = nullptr;
};
