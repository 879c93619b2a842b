#pragma once

#include "entity/EntityFields.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"

// Moving an entity's keys into the values its dialog edits and back.
//
// Numbers are read from a box by the atoi rule and stored in the narrow width
// of their key, keeping the low-order bits; an empty box clears the key's
// presence. A box whose text its field cannot give back exactly ("70000" in a
// 16-bit "light", "0.5" in "wait") keeps that text, which saving writes in
// place of the field and the dialog shows again. A box shows a kept text
// rather than its field. Spawnflag bits without a box survive, and a radio
// group with no button chosen keeps the value it was loaded with.
//
// The two Custom rows are the entity's first two other pairs; the "Other
// keys" table holds the rest. An empty row (no key, no value) is dropped.

void LoadFromEntity(PointEntityFields& fields, const CPointEntity& entity);
void StoreToEntity(const PointEntityFields& fields, CPointEntity& entity);

// The Angle and Count boxes of a brush entity edit its "angle" and "count"
// pairs, which are then not among the rows.
void LoadFromEntity(ModelEntityFields& fields, const CModelEntityKeys& entity);
void StoreToEntity(const ModelEntityFields& fields, CModelEntityKeys& entity);

void LoadFromWorld(WorldFields& fields, const CWorldKeys& world);
void StoreToWorld(const WorldFields& fields, CWorldKeys& world);

inline constexpr const char* kModelAngleKey = "angle";
inline constexpr const char* kModelCountKey = "count";
