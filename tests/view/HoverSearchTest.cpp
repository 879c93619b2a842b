#include "view/CMapSelection.h"

#include "BoxBrushText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string Box(IntPoint lo, IntPoint hi) {
    return BoxBrushText(lo, hi);
}

// Boxes on a coarse grid, so that many corners tie on screen (stacked in depth,
// or shared by neighbours), some in a brush entity; the first brush lies
// deep below the rest, where limits can hide it.
std::string GridOfBoxes() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cell(-12, 12), size(1, 4);
    std::string world = Box({-64, -64, -4096}, {64, 64, -4032});
    std::string door;
    for (int i = 0; i < 300; ++i) {
        const IntPoint lo(cell(random) * 32, cell(random) * 32, cell(random) * 32);
        const IntPoint hi(lo.x + size(random) * 32, lo.y + size(random) * 32,
                          lo.z + size(random) * 32);
        (i % 7 == 0 ? door : world) += Box(lo, hi);
    }
    return "{\n\"classname\" \"worldspawn\"\n" + world + "}\n{\n\"classname\" \"func_door\"\n" +
           door + "}\n";
}

struct Found {
    CMapBrush* brush;
    CModelEntity* entity;
    int32_t vertex;
    IntPoint cursor;
    friend bool operator==(const Found&, const Found&) = default;
};

} // namespace

// Passing over brushes that cannot win never changes what is hovered: in
// every plane, flipped or not, flat and 3D, zoomed out and magnified, with and
// without limits, wherever the pointer is, on and off the map.
TEST(HoverSearch, PassingOverFarBrushesFindsWhatOfferingEveryBrushFinds) {
    std::unique_ptr<ReadMap> read = Read(GridOfBoxes());
    CTolveDoc& doc = *read->doc;
    CEditorState& state = doc.GetEditorState();
    std::mt19937 random(11);
    std::uniform_int_distribution<int> pixel(-300, 1100);
    auto find = [&](const CViewProjection& p, ScreenPoint mouse, bool everyBrush) {
        state.SetHover({});
        IntPoint cursor;
        CMapSelection search(doc, p, mouse, cursor);
        if (everyBrush)
            search.UpdateSelectionOfferingEveryBrush();
        else
            search.UpdateSelection(false);
        const HoverSelection hover = state.GetHover();
        return Found{hover.brush, hover.entity, hover.vertex, cursor};
    };
    int compared = 0;
    for (int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        for (int variant = 0; variant < 8; ++variant) {
            CViewProjection p;
            p.m_viewMode = plane;
            p.m_flipped = variant & 1;
            p.m_threeD = variant & 2;
            if (variant & 4)
                p.m_magnify = 4;
            else
                p.m_zoom = 2;
            if (variant == 5) { // limits that hide the first brush
                state.SetLowerLimit(IntPoint(-1000, -1000, -1000));
                state.SetUpperLimit(IntPoint(1000, 1000, 1000));
            }
            for (int i = 0; i < 40; ++i) {
                const ScreenPoint mouse{pixel(random), pixel(random)};
                const Found plain = find(p, mouse, true);
                const Found pruned = find(p, mouse, false);
                EXPECT_EQ(pruned, plain)
                    << plane << " " << variant << " at " << mouse.x << "," << mouse.y;
                ++compared;
            }
            state.ClearLimits();
        }
    }
    EXPECT_EQ(compared, 3 * 8 * 40);
}
