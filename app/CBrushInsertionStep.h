#pragma once

#include "map/CMapBrush.h"

#include <QUndoCommand>

#include <cstddef>
#include <memory>

class CModelEntity;
class CTolveDoc;

// A brush coming into or going out of its owner's list. While the brush is
// out of the map the step holds it, with the position it goes back to.
class CBrushInsertionStep : public QUndoCommand {
public:
    // Adds `brush` to `owner` (none: the world) at `index`.
    static std::unique_ptr<CBrushInsertionStep> Adding(CTolveDoc& doc, const QString& text,
                                                       CModelEntity* owner,
                                                       std::unique_ptr<CMapBrush> brush,
                                                       size_t index);
    // Takes `brush`, which is in `owner`'s list, out of the map.
    static std::unique_ptr<CBrushInsertionStep> Removing(CTolveDoc& doc, const QString& text,
                                                         CModelEntity* owner, CMapBrush& brush);

    void undo() override;
    void redo() override;

private:
    CBrushInsertionStep(CTolveDoc& doc, const QString& text, CModelEntity* owner, CMapBrush& brush,
                        bool adds);
    void PutIn();
    void TakeOut();

    CTolveDoc& m_doc;
    CModelEntity* m_owner;
    CMapBrush& m_brush;
    std::unique_ptr<CMapBrush> m_held; // the brush while it is out of the map
    size_t m_index = 0;
    bool m_adds;
};
