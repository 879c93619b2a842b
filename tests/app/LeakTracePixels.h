#pragma once

#include "widgets/CTolveView.h"

#include <QImage>

// The pixels of the view's picture in the pure red a leak trace is drawn in.
inline int LeakTracePixels(CTolveView& view) {
    const QImage& image = view.RenderNow();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixel(x, y) == qRgb(255, 0, 0);
    return red;
}
