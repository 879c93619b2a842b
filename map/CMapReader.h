#pragma once

#include "map/BrushDef.h"
#include "map/CMapBrush.h"
#include "map/CMapTokenizer.h"
#include "map/CustomPair.h"
#include "map/TextSpan.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct MapFragment;
class CKeptTexts;
class CKeyLayout;
template <class Entity> struct KeyRule;

// Reads map text into a document: every entity is classified as the world, a
// brush entity or a point entity, and every brush is built into corners and
// faces. Problems are reported and reading goes on. Whatever the model has no
// field for, or cannot hold exactly, is kept as text so that saving gives it
// back: other key/value pairs, number texts, face lines, oversized brushes.
// Face lines are read in the standard and the Valve 220 form; what marks the
// map as made for another game (Quake 2 and Hexen 2 face lines, Quake 3
// patches) is kept as written and tells the fragment's game.
// Each entity and brush learns where its text stands (TextSpan.h), and the
// fragment why a save could not keep the file's layout, if it could not.
class CMapReader {
public:
    // Reads into `target`, whose world keys are where a "worldspawn" starts
    // from (a document passes its own, so that several merge). A leading
    // byte-order mark is passed over, and noted in `target`.
    CMapReader(MapFragment& target, std::string_view text, CMapDiagnostics& diagnostics);
    void ReadMap();

private:
    // Counts the problems, which change what the map means (see
    // CMapDiagnostics), on their way to the reader's diagnostics.
    class CProblemCount : public CMapDiagnostics {
    public:
        explicit CProblemCount(CMapDiagnostics& inner) : m_inner(inner) {}
        void Report(int line, int brushLine, std::string_view message) override {
            ++m_problems;
            m_inner.Report(line, brushLine, message);
        }
        void ReportKept(int line, int brushLine, std::string_view message) override {
            m_inner.ReportKept(line, brushLine, message);
        }
        void Notice(int line, int brushLine, std::string_view message) override {
            m_inner.Notice(line, brushLine, message);
        }
        int m_problems = 0;

    private:
        CMapDiagnostics& m_inner;
    };

    struct Pair {
        uint32_t key; // offsets into m_pairText
        uint32_t value;
        int line;
    };

    // Where each token of one face line stands in the text, and whether the
    // fields can hold its plane points and its texture part exactly.
    static constexpr int kPlaneTokens = 15; // 3 x "( x y z )"
    struct FaceSource {
        std::string_view text; // from its first token to its last, as in the text
        int line = 0;
        bool planeExact = true;     // whole 32-bit numbers
        bool planeAsWritten = true; // and spelled as the writer spells them
        bool planeFractional = false;
        bool valve = false; // texture axes in brackets
        bool nameTooLong = false;
        uint16_t inexactNumbers = 0; // bit n: number n after the texture name
        uint8_t trailing = 0;        // tokens after the last number
        bool trailingNumbers = true; // ... all of them whole numbers
        bool TextureExact() const { return !nameTooLong && inexactNumbers == 0 && trailing == 0; }
    };
    // A problem that counts only if the map turns out to be a Quake map: a
    // face line with more values than a Quake one, or else a texture name
    // too long. Its words are made when it is told, as a file of junk may
    // hold millions of them.
    struct DeferredProblem {
        int line;
        uint8_t trailing; // values after the last number; 0 for the name
    };

    void ReadEntity();
    void ReadEntityBrush(EntitySpan& span);
    uint32_t Offset(const char* at) const { return static_cast<uint32_t>(at - m_fileStart); }
    uint32_t LineEndAfterToken() const;
    void NoteWholeReason(const char* reason);
    void ReadBrush();
    void KeepQuake3Block();
    bool ReadFace(FaceDef& face, ValveAxes& axes, FaceSource& source);
    bool ReadPoint(IntPoint& point, Vec3d& exact, FaceSource& source);
    bool ReadStandardTexture(FaceDef& face, FaceSource& source);
    bool ReadValveTexture(FaceDef& face, ValveAxes& axes, FaceSource& source);
    bool ReadBracket(char bracket);
    void ReadTrailingTokens(FaceSource& source);
    void CountFaceLine(const FaceSource& source);
    bool ReadSameLine();
    bool NextFaceToken(bool sameLine);
    void ReadFaceNumber(FaceDef& face, int index, FaceSource& source);
    void ReportInexactNumber(const char* text, int32_t readAs);
    bool ReadFinite(double& number, double readAs);
    void KeepBrush(int braceLine, int faceLines, const char* message);
    void KeepFaceTexts(CMapBrush& brush, int faceLines, const int* builtFaceOfDef) const;
    void AttachValveAxes(CMapBrush& brush, int faceLines, const int* builtFaceOfDef) const;
    static std::vector<std::string_view> FaceTokens(const FaceSource& source);
    static void AppendToken(std::string& text, std::string_view token);
    static std::string JoinTokens(const std::vector<std::string_view>& tokens, int first, int last);
    std::string TextureText(const FaceSource& source, const BrushFace& face,
                            const ValveAxes& axes) const;
    void AddPair();
    void StoreEntity();
    void FindRepeatedKeys();
    template <class Entity>
    void StorePairs(Entity& entity, std::span<const KeyRule<Entity>> rules, CKeyLayout& layout,
                    CKeptTexts& kept, CustomPairList& others);
    void StorePointEntity();
    void StoreWorld();
    void StoreModelEntity(const char* classname);
    template <class Entity>
    void ApplyPair(Entity& entity, std::span<const KeyRule<Entity>> rules, const Pair& pair,
                   CKeptTexts& kept, CustomPairList& others);
    void ReadTriple(const Pair& pair, IntPoint& point);
    void Finish();

    const char* Key(const Pair& pair) const { return m_pairText.data() + pair.key; }
    const char* Value(const Pair& pair) const { return m_pairText.data() + pair.value; }

    MapFragment& m_target;
    CProblemCount m_problemCount;
    CMapDiagnostics& m_diagnostics;
    CMapTokenizer m_tokenizer;
    std::string_view m_text;
    const char* m_fileStart;   // before the byte-order mark: spans count from here
    uint32_t m_elementEnd = 0; // where the text of the last entity, key or brush read ends
    EntitySpan m_entitySpan;   // of the entity being read
    int m_entitiesSeen = 0;    // the world too
    std::vector<Pair> m_pairs;
    std::string m_pairText;         // NUL-separated keys and values of the current entity
    std::vector<bool> m_overridden; // parallel to m_pairs: a later pair has the same key
    uint64_t m_entitiesRead = 0;
    std::vector<std::unique_ptr<CMapBrush>> m_brushes;
    std::vector<FaceSource> m_faceSources; // of the current brush, beyond 32 too
    BrushDef m_def;
    ValveAxes m_defAxes[kMaxBrushFaces]; // of the Valve faces of m_def
    bool m_faceCut = false;              // the text ended inside the current face line
    std::vector<DeferredProblem> m_deferred;
    // What tells the games and formats apart.
    int m_faceLines = 0;
    int m_quake2FaceLines = 0; // three whole numbers more
    int m_hexen2FaceLines = 0; // one number more
    int m_quake3Blocks = 0;    // brushDef, patchDef2 ...
    bool m_sawValveFace = false;
    bool m_sawValveVersion = false; // "mapversion" "220"
};
