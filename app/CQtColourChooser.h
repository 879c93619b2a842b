#pragma once

#include "framework/CColourChooser.h"

// The system's colour dialog, owned by the active window.
class CQtColourChooser : public CColourChooser {
public:
    std::optional<PickedColour> ChooseColour(const PickedColour& initial,
                                             const std::string& title) override;
};
