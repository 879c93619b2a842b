#pragma once

#include "map/CMapBrush.h"

#include <QUndoCommand>

class CTolveDoc;

// A change of one brush's shape or textures: the brush as it was and as it
// became, so that both are given back exactly.
class CBrushStateStep : public QUndoCommand {
public:
    CBrushStateStep(CTolveDoc& doc, const QString& text, CMapBrush& brush, const CMapBrush& before);

    void undo() override;
    void redo() override;

private:
    CTolveDoc& m_doc;
    CMapBrush& m_brush;
    CMapBrush m_before;
    CMapBrush m_after;
};
