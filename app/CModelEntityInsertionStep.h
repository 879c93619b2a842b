#pragma once

#include "map/CModelEntity.h"

#include <QUndoCommand>

#include <cstddef>
#include <memory>

class CTolveDoc;

// A brush entity, with its brushes, coming into or going out of the map.
// While it is out the step holds it, with the list position it goes back to.
class CModelEntityInsertionStep : public QUndoCommand {
public:
    static std::unique_ptr<CModelEntityInsertionStep> Adding(CTolveDoc& doc, const QString& text,
                                                             std::unique_ptr<CModelEntity> entity);
    static std::unique_ptr<CModelEntityInsertionStep> Removing(CTolveDoc& doc, const QString& text,
                                                               CModelEntity& entity);

    void undo() override;
    void redo() override;

private:
    CModelEntityInsertionStep(CTolveDoc& doc, const QString& text, CModelEntity& entity, bool adds);
    void PutIn();
    void TakeOut();

    CTolveDoc& m_doc;
    CModelEntity& m_entity;
    std::unique_ptr<CModelEntity> m_held;
    size_t m_index;
    bool m_adds;
};
