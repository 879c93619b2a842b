#pragma once

#include "map/CModelEntity.h"
#include "map/CWorldKeys.h"

#include <memory>

// The changes a dialog makes to the map's entities while it is open. The
// editor passes one that keeps each as a step of the map's undo history.
class CEntityEditor {
public:
    virtual ~CEntityEditor() = default;

    virtual void AddModelEntity(std::unique_ptr<CModelEntity> entity) = 0;
    virtual void RemoveModelEntity(CModelEntity& entity) = 0;
    virtual void SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys) = 0;
    virtual void SetWorldKeys(const CWorldKeys& keys) = 0;
};
