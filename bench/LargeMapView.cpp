#include "bench/LargeMapView.h"

#include "bench/ReadGeneratedMap.h"

#include <map>

LargeMapView& GetLargeMapView(int brushes) {
    static std::map<int, LargeMapView> maps;
    LargeMapView& loaded = maps[brushes];
    if (!loaded.view) {
        ReadGeneratedMap(*loaded.doc, brushes);
        loaded.view = std::make_unique<CTolveView>(*loaded.doc);
        loaded.view->resize(1600, 1000);
        CViewProjection& p = loaded.view->m_projection;
        p.m_zoom = 8;
        p.m_originX = -800 * 8;
        p.m_originY = 500 * 8;
        loaded.view->RenderNow();
    }
    return loaded;
}
