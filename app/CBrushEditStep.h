#pragma once

#include "map/CMapBrush.h"

#include <QUndoCommand>

#include <cstddef>

class CModelEntity;
class CTolveDoc;

// The OK of a brush's edit dialog: its textures and its owner, as they were
// and as they became, with the place it had in its first owner's list.
class CBrushEditStep : public QUndoCommand {
public:
    struct Place {
        CModelEntity* owner = nullptr;
        size_t index = 0;
    };

    // Made after the edit: `brush` is as it became, in `after`.
    CBrushEditStep(CTolveDoc& doc, const QString& text, CMapBrush& brush, const CMapBrush& before,
                   Place from, Place to);

    void undo() override;
    void redo() override;

private:
    CTolveDoc& m_doc;
    CMapBrush& m_brush;
    CMapBrush m_before;
    CMapBrush m_after;
    Place m_from;
    Place m_to;
};

// Where a brush of `owner` (none: the world) sits in its list.
CBrushEditStep::Place FindBrushPlace(const CTolveDoc& doc, CModelEntity* owner,
                                     const CMapBrush& brush);
