#include "app/CMapContentsStep.h"

#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"

namespace {

// The catalogue follows the map's "wad" value, quietly: an undo asks nothing.
void ExchangeWithTextures(CTolveDoc& doc, CMapFragment& other) {
    const std::string wad = doc.m_textureWad.GetFileName();
    CMapEdits(doc).ExchangeContents(other);
    if (doc.m_textureWad.GetFileName() != wad)
        doc.m_textureWad.LoadTextureWad();
}

} // namespace

CMapContentsStep::CMapContentsStep(CTolveDoc& doc, const QString& text, CMapFragment other)
    : QUndoCommand(text), m_doc(doc), m_other(std::move(other)) {}

void CMapContentsStep::undo() {
    ExchangeWithTextures(m_doc, m_other);
}

void CMapContentsStep::redo() {
    ExchangeWithTextures(m_doc, m_other);
}
