#pragma once

#include "map/CKeptTexts.h"
#include "map/CKeyLayout.h"
#include "map/CustomPair.h"
#include "map/IntPoint.h"
#include "map/TextSpan.h"

#include <cstdint>
#include <string>

// An entity placed at one point: lights, monsters, items, player starts.
class CPointEntity {
public:
    virtual ~CPointEntity() = default;

    std::string m_classname;
    // A brushless entity of a brush class (a "func_group" other editors
    // write) may have no "origin"; it gets one only when moved.
    bool m_hasOrigin = true;
    bool m_hasMangle = false;
    bool m_hasNextthink = false;
    bool m_hasAngle = false;
    bool m_hasLight = false;
    IntPoint m_origin;
    IntPoint m_mangle;
    int16_t m_nextthink = 0;
    int16_t m_angle = 0;
    uint8_t m_style = 0;
    uint16_t m_spawnflags = 0;
    uint16_t m_light = 0;
    std::string m_target;
    std::string m_targetname;
    std::string m_killtarget;
    std::string m_message;
    // Every pair without a field of its own, in file order; the dialogs' two
    // Custom rows show the first two.
    CustomPairList m_otherPairs;
    CKeptTexts m_keptTexts;
    CKeyLayout m_keyLayout;
    // Where the entity stands among all entities of the map (see MapOrder.h).
    uint64_t m_mapOrder = 0;
    // Where its text is; see TextSpan.h.
    mutable EntitySpan m_source;

    friend bool operator==(const CPointEntity&, const CPointEntity&) = default;
};
