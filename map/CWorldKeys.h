#pragma once

#include "map/CKeptTexts.h"
#include "map/CKeyLayout.h"
#include "map/CustomPair.h"
#include "map/TextSpan.h"

#include <cstdint>
#include <string>

// The keys of the world entity ("worldspawn") but its "wad", which names the
// document's texture catalogue.
class CWorldKeys {
public:
    int16_t m_worldType = -1; // -1: not set
    std::string m_worldMessage;
    uint8_t m_worldSounds = 0;
    uint16_t m_worldLight = 0;
    bool m_hasWorldLight = false;
    bool m_hasWorldSounds = false;
    CustomPairList m_worldOtherPairs; // "_sunlight", "sky", "fog"...: written after the keys above
    CKeptTexts m_worldKeptTexts;
    CKeyLayout m_worldKeyLayout; // "classname", "wad" and "mapversion" among the others
    // Where the world's text is (see TextSpan.h).
    mutable EntitySpan m_worldSource;

    friend bool operator==(const CWorldKeys&, const CWorldKeys&) = default;
};
