#pragma once

#include "map/CModelEntity.h"
#include "map/CWorldKeys.h"

#include <QUndoCommand>

class CTolveDoc;

// The keys of a brush entity, or of the world when it has no entity, as they
// were and as they became.
class CEntityKeysStep : public QUndoCommand {
public:
    CEntityKeysStep(CTolveDoc& doc, const QString& text, CModelEntity& entity,
                    const CModelEntityKeys& after);
    CEntityKeysStep(CTolveDoc& doc, const QString& text, const CWorldKeys& after);

    void undo() override;
    void redo() override;

private:
    void Apply(const CModelEntityKeys& entityKeys, const CWorldKeys& worldKeys);

    CTolveDoc& m_doc;
    CModelEntity* m_entity = nullptr; // none: the world's keys
    CModelEntityKeys m_entityBefore;
    CModelEntityKeys m_entityAfter;
    CWorldKeys m_worldBefore;
    CWorldKeys m_worldAfter;
};
