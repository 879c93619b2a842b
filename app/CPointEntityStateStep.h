#pragma once

#include "map/CPointEntity.h"

#include <QUndoCommand>

class CTolveDoc;

// A change of one point entity's keys or origin: the entity as it was and as
// it became, kept texts included.
class CPointEntityStateStep : public QUndoCommand {
public:
    CPointEntityStateStep(CTolveDoc& doc, const QString& text, CPointEntity& entity,
                          const CPointEntity& before, const CPointEntity& after);

    void undo() override;
    void redo() override;

private:
    CTolveDoc& m_doc;
    CPointEntity& m_entity;
    CPointEntity m_before;
    CPointEntity m_after;
};
