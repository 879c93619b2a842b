#pragma once

#include "map/CPointEntity.h"

#include <QUndoCommand>

#include <cstddef>
#include <memory>

class CTolveDoc;

// A point entity coming into or going out of the map. While it is out the
// step holds it, with the list position it goes back to.
class CPointEntityInsertionStep : public QUndoCommand {
public:
    static std::unique_ptr<CPointEntityInsertionStep>
    Adding(CTolveDoc& doc, const QString& text, std::unique_ptr<CPointEntity> entity, size_t index);
    static std::unique_ptr<CPointEntityInsertionStep> Removing(CTolveDoc& doc, const QString& text,
                                                               CPointEntity& entity);

    void undo() override;
    void redo() override;

private:
    CPointEntityInsertionStep(CTolveDoc& doc, const QString& text, CPointEntity& entity, bool adds);
    void PutIn();
    void TakeOut();

    CTolveDoc& m_doc;
    CPointEntity& m_entity;
    std::unique_ptr<CPointEntity> m_held;
    size_t m_index = 0;
    bool m_adds;
};
