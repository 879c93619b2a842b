#include "map/EntityKeys.h"

#include <cstring>

namespace {

bool IsSetSkill(const CModelEntityKeys& entity) {
    return entity.m_classname == kSetSkillClass;
}

bool IsNotSetSkill(const CModelEntityKeys& entity) {
    return entity.m_classname != kSetSkillClass;
}

using P = CPointEntity;
using M = CModelEntityKeys;
using W = CWorldKeys;
using enum KeyWritten;

const KeyRule<P> kPointEntityKeys[] = {
    {"classname", &P::m_classname, kAlways},
    {"origin", &P::m_origin, kIfPresent, &P::m_hasOrigin},
    {"angle", &P::m_angle, kIfPresent, &P::m_hasAngle},
    {"light", &P::m_light, kIfPresent, &P::m_hasLight},
    {"target", &P::m_target, kIfNotEmpty},
    {"targetname", &P::m_targetname, kIfNotEmpty},
    {"killtarget", &P::m_killtarget, kIfNotEmpty},
    {"spawnflags", &P::m_spawnflags, kIfNotZero},
    {"style", &P::m_style, kIfNotZero},
    {"message", &P::m_message, kIfNotEmpty},
    {"mangle", &P::m_mangle, kIfPresent, &P::m_hasMangle},
    {"nextthink", &P::m_nextthink, kIfPresent, &P::m_hasNextthink, true},
};

const KeyRule<M> kModelEntityKeys[] = {
    {"classname", &M::m_classname, kAlways},
    {"target", &M::m_target, kIfNotEmpty},
    {"targetname", &M::m_targetname, kIfNotEmpty},
    {"killtarget", &M::m_killtarget, kIfNotEmpty},
    {"spawnflags", &M::m_spawnflags, kIfNotZero},
    {"message", &M::m_skill, kAlways, nullptr, false, IsSetSkill},
    {"message", &M::m_message, kIfNotEmpty, nullptr, false, IsNotSetSkill},
    {"speed", &M::m_speed, kIfPresent, &M::m_hasSpeed},
    {"wait", &M::m_wait, kIfPresent, &M::m_hasWait},
    {"lip", &M::m_lip, kIfPresent, &M::m_hasLip},
    {"dmg", &M::m_dmg, kIfPresent, &M::m_hasDmg},
    {"health", &M::m_health, kIfPresent, &M::m_hasHealth},
    {"delay", &M::m_delay, kIfPresent, &M::m_hasDelay},
    {"sounds", &M::m_sounds, kIfPresent, &M::m_hasSounds},
    {"height", &M::m_height, kIfPresent, &M::m_hasHeight},
    {"map", &M::m_map, kIfNotEmpty},
    {"entityclass", &M::m_classname, kNever},
};

// "classname" and "wad" of the world are written by the writer itself.
const KeyRule<W> kWorldKeys[] = {
    {"message", &W::m_worldMessage, kIfNotEmpty},
    {"worldtype", &W::m_worldType, kIfNotNegative},
    {"sounds", &W::m_worldSounds, kIfPresent, &W::m_hasWorldSounds},
    {"light", &W::m_worldLight, kIfPresent, &W::m_hasWorldLight},
};

} // namespace

std::span<const KeyRule<CPointEntity>> PointEntityKeys() {
    return kPointEntityKeys;
}

std::span<const KeyRule<CModelEntityKeys>> ModelEntityKeys() {
    return kModelEntityKeys;
}

std::span<const KeyRule<CWorldKeys>> WorldKeys() {
    return kWorldKeys;
}

template <class Entity>
const KeyRule<Entity>* FindKeyRule(std::span<const KeyRule<Entity>> rules, const Entity& entity,
                                   const char* key) {
    for (const KeyRule<Entity>& rule : rules) {
        if (std::strcmp(rule.name, key) == 0 && rule.AppliesTo(entity))
            return &rule;
    }
    return nullptr;
}

template const KeyRule<CPointEntity>* FindKeyRule(std::span<const KeyRule<CPointEntity>>,
                                                  const CPointEntity&, const char*);
template const KeyRule<CModelEntityKeys>* FindKeyRule(std::span<const KeyRule<CModelEntityKeys>>,
                                                      const CModelEntityKeys&, const char*);
template const KeyRule<CWorldKeys>* FindKeyRule(std::span<const KeyRule<CWorldKeys>>,
                                                const CWorldKeys&, const char*);
