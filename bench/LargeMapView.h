#pragma once

#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <memory>

// One generated map and a 1600 x 1000 view of it at zoom 8 centred on the
// world origin, drawn once. At that zoom a pixel is 8 units, one step of the
// default snap.
struct LargeMapView {
    std::unique_ptr<CTolveDoc> doc = std::make_unique<CTolveDoc>();
    std::unique_ptr<CTolveView> view;
};

// Made at the first call for each brush count and kept, as making the largest
// takes seconds: whoever changes the map puts it back.
LargeMapView& GetLargeMapView(int brushes);
