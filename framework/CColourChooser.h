#pragma once

#include "framework/CServiceSlot.h"

#include <cstdint>
#include <optional>
#include <string>

// A colour as the user picks it: red, green and blue from 0 to 255.
struct PickedColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend bool operator==(const PickedColour&, const PickedColour&) = default;
};

// Lets the user pick a colour, starting from `initial`; nothing on Cancel.
// `title` says what the colour is for.
class CColourChooser {
public:
    virtual ~CColourChooser() = default;
    virtual std::optional<PickedColour> ChooseColour(const PickedColour& initial,
                                                     const std::string& title) = 0;
};

// Defined beside the service's default implementation.
template <> CColourChooser*& CServiceSlot<CColourChooser>::Current();
using ColourChooserSlot = CServiceSlot<CColourChooser>;
