#pragma once

#include "map/CKeptTexts.h"
#include "map/CKeyLayout.h"
#include "map/CMapBrush.h"
#include "map/CustomPair.h"
#include "map/TextSpan.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using BrushList = std::vector<std::unique_ptr<CMapBrush>>;

// The keys of an entity made of brushes.
class CModelEntityKeys {
public:
    virtual ~CModelEntityKeys() = default;

    std::string m_classname;
    bool m_hasSpeed = false;
    bool m_hasWait = false;
    bool m_hasDmg = false;
    bool m_hasLip = false;
    bool m_hasHealth = false;
    bool m_hasDelay = false;
    bool m_hasHeight = false;
    bool m_hasSounds = false;
    int16_t m_speed = 0;
    int16_t m_wait = 0;
    int16_t m_dmg = 0;
    int16_t m_lip = 0;
    int16_t m_health = 0;
    int16_t m_delay = 0;
    int16_t m_height = 0;
    uint8_t m_sounds = 0;
    uint8_t m_skill = 0; // "message" of a trigger_setskill
    uint16_t m_spawnflags = 0;
    std::string m_target;
    std::string m_targetname;
    std::string m_killtarget;
    std::string m_message;
    std::string m_map;
    // Every pair without a field of its own, in file order; the dialogs' two
    // Custom rows show the first two.
    CustomPairList m_otherPairs;
    CKeptTexts m_keptTexts;
    CKeyLayout m_keyLayout;
    // Where the entity's text is; with the keys, so that an undo of a change
    // of them gives the text back (see TextSpan.h).
    mutable EntitySpan m_source;

    friend bool operator==(const CModelEntityKeys&, const CModelEntityKeys&) = default;
};

// An entity made of brushes: doors, platforms, triggers. It owns its brushes;
// a copy has copies of them.
class CModelEntity : public CModelEntityKeys {
public:
    CModelEntity() = default;
    CModelEntity(const CModelEntity& other);
    CModelEntity& operator=(const CModelEntity& other);
    CModelEntity(CModelEntity&&) = default;
    CModelEntity& operator=(CModelEntity&&) = default;

    BrushList m_brushes;
    // Where the entity stands among all entities of the map (see MapOrder.h).
    uint64_t m_mapOrder = 0;
};

inline constexpr const char* kSetSkillClass = "trigger_setskill";
