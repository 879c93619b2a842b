#pragma once

#include "map/CMapBrush.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// Everything a brush holds, in the room its used corners and faces take
// rather than its full tables: an edit of a hundred thousand brushes keeps
// one of these for each, for its undo.
class CBrushSnapshot {
public:
    explicit CBrushSnapshot(const CMapBrush& brush);

    // Gives the brush what this holds and keeps what the brush held instead,
    // so that a second exchange gives it back.
    void ExchangeWith(CMapBrush& brush);
    // Alike as two brushes are: in everything a save would write of them.
    bool Matches(const CMapBrush& brush) const;
    // The brush's text went with a save; the state held is written anew.
    void ForgetSource() { m_source.Forget(); }
    // ... after the comments `live` (the brush as it is) was saved with.
    void TakeLeadOf(const CMapBrush& live) { m_source = live.m_source.Lead(); }
    // The brush is as this holds it: it takes the text back.
    void GiveSourceTo(const CMapBrush& brush) const { brush.m_source = m_source; }

private:
    // The used faces, then the used corners, in one block: one allocation
    // for each brush an edit keeps, and one to free.
    struct Tables {
        std::unique_ptr<std::byte[]> block;
        uint8_t numVertices = 0;
        uint8_t numFaces = 0;

        explicit Tables(const CMapBrush& brush);
        std::span<const BrushFace> Faces() const;
        std::span<const IntPoint> Vertices() const;
    };

    Tables m_tables;
    std::unique_ptr<ReadPlanePoints> m_readPlanes;
    std::unique_ptr<KeptBrushText> m_keptText;
    std::vector<ValveAxes> m_valveAxes;
    TextSpan m_source;
};
