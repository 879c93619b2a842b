#pragma once

#include "app/CommandEntry.h"
#include "dialogs/CEntityEditor.h"

class CTolveDoc;

// Keeps each entity change a dialog makes as its own step of the map's undo
// history.
class CHistoryEntityEditor : public CEntityEditor {
public:
    explicit CHistoryEntityEditor(const CommandContext& context) : m_context(context) {}

    void AddModelEntity(std::unique_ptr<CModelEntity> entity) override;
    void RemoveModelEntity(CModelEntity& entity) override;
    void SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys) override;
    void SetWorldKeys(const CWorldKeys& keys) override;

private:
    CTolveDoc& Doc() const;

    CommandContext m_context;
};
