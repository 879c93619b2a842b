#include "bench/BrushDeletion.h"

#include "map/CMapEdits.h"

std::unique_ptr<CMapBrush> DeleteSelectedBrush(CTolveDoc& doc) {
    return CMapEdits(doc).RemoveBrush(doc.m_selectedEntity, *doc.m_selectedBrush);
}

void RestoreWorldBrush(CTolveDoc& doc, std::unique_ptr<CMapBrush> brush, size_t index) {
    CMapEdits(doc).AddBrush(nullptr, std::move(brush), index);
}
