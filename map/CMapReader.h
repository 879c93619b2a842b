#pragma once

#include "map/BrushDef.h"
#include "map/CMapBrush.h"
#include "map/CMapTokenizer.h"

#include <memory>
#include <string>
#include <vector>

class CTolveDoc;

// Reads map text into a document: every entity is classified as the world, a
// brush entity or a point entity, and every brush is built into corners and
// faces. Problems are reported and reading goes on.
class CMapReader {
public:
    CMapReader(CTolveDoc& doc, const char* text, CMapDiagnostics& diagnostics);
    void ReadMap();

private:
    struct Pair {
        uint32_t key; // offsets into m_pairText
        uint32_t value;
        int line;
    };

    void ReadEntity();
    void ReadBrush();
    bool ReadFace(FaceDef& face);
    bool ReadPoint(IntPoint& point);
    bool ReadSameLine();
    void AddPair();
    void StoreEntity();
    void StorePointEntity();
    void StoreWorld();
    void StoreModelEntity(const char* classname);
    void ReadTriple(const Pair& pair, IntPoint& point);

    const char* Key(const Pair& pair) const { return m_pairText.data() + pair.key; }
    const char* Value(const Pair& pair) const { return m_pairText.data() + pair.value; }

    CTolveDoc& m_doc;
    CMapDiagnostics& m_diagnostics;
    CMapTokenizer m_tokenizer;
    std::vector<Pair> m_pairs;
    std::string m_pairText; // NUL-separated keys and values of the current entity
    std::vector<std::unique_ptr<CMapBrush>> m_brushes;
    BrushDef m_def;
    bool m_faceCut = false; // the text ended inside the current face line
};
