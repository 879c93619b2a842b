#pragma once

#include "map/BrushDef.h"
#include "map/CMapBrush.h"
#include "map/CMapTokenizer.h"
#include "map/CustomPair.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CMapFragment;
class CKeptTexts;
template <class Entity> struct KeyRule;

// Reads map text into a document: every entity is classified as the world, a
// brush entity or a point entity, and every brush is built into corners and
// faces. Problems are reported and reading goes on. Whatever the model has no
// field for, or cannot hold exactly, is kept as text so that saving gives it
// back: other key/value pairs, number texts, face lines, oversized brushes.
class CMapReader {
public:
    // Reads into `target`, whose world keys are where a "worldspawn" starts
    // from (a document passes its own, so that several merge).
    CMapReader(CMapFragment& target, std::string_view text, CMapDiagnostics& diagnostics);
    void ReadMap();

private:
    struct Pair {
        uint32_t key; // offsets into m_pairText
        uint32_t value;
        int line;
    };

    // Where each token of one face line stands in the text, and whether the
    // fields can hold its plane points and its texture part exactly.
    static constexpr int kFaceTokens = 21; // 3 x "( x y z )", texture, 5 numbers
    static constexpr int kPlaneTokens = 15;
    struct FaceSource {
        std::string_view text; // from its first token to its last, as in the text
        int line = 0;
        bool planeExact = true;
        bool nameTooLong = false;
        uint8_t inexactNumbers = 0; // bit n: number n after the texture name
        bool TextureExact() const { return !nameTooLong && inexactNumbers == 0; }
    };

    void ReadEntity();
    void ReadBrush();
    bool ReadFace(FaceDef& face, FaceSource& source);
    bool ReadPoint(IntPoint& point, FaceSource& source);
    bool ReadSameLine();
    bool NextFaceToken(bool sameLine);
    void ReadFaceNumber(FaceDef& face, int index, FaceSource& source);
    void ReportInexactNumber(const char* text, int32_t readAs);
    void KeepBrush(int braceLine, int faceLines, const char* why);
    void KeepFaceTexts(CMapBrush& brush, int faceLines, const int* builtFaceOfDef) const;
    static std::vector<std::string_view> FaceTokens(const FaceSource& source);
    static void AppendToken(std::string& text, std::string_view token);
    static std::string JoinTokens(const std::vector<std::string_view>& tokens, int first, int last);
    std::string TextureText(const FaceSource& source, const BrushFace& face) const;
    void AddPair();
    void StoreEntity();
    void StorePointEntity();
    void StoreWorld();
    void StoreModelEntity(const char* classname);
    template <class Entity>
    void ApplyPair(Entity& entity, std::span<const KeyRule<Entity>> rules, const Pair& pair,
                   CKeptTexts& kept, CustomPairList& others);
    void ReadTriple(const Pair& pair, IntPoint& point);

    const char* Key(const Pair& pair) const { return m_pairText.data() + pair.key; }
    const char* Value(const Pair& pair) const { return m_pairText.data() + pair.value; }

    CMapFragment& m_target;
    CMapDiagnostics& m_diagnostics;
    CMapTokenizer m_tokenizer;
    std::vector<Pair> m_pairs;
    std::string m_pairText; // NUL-separated keys and values of the current entity
    std::vector<std::unique_ptr<CMapBrush>> m_brushes;
    std::vector<FaceSource> m_faceSources; // of the current brush, beyond 32 too
    BrushDef m_def;
    bool m_faceCut = false; // the text ended inside the current face line
};
