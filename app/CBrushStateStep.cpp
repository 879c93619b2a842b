#include "app/CBrushStateStep.h"

#include "map/CMapEdits.h"

CBrushStateStep::CBrushStateStep(CTolveDoc& doc, const QString& text, CMapBrush& brush,
                                 const CMapBrush& before)
    : QUndoCommand(text), m_doc(doc), m_brush(brush), m_before(before), m_after(brush) {}

void CBrushStateStep::undo() {
    CMapEdits(m_doc).RestoreBrush(m_brush, m_before);
}

void CBrushStateStep::redo() {
    CMapEdits(m_doc).RestoreBrush(m_brush, m_after);
}
