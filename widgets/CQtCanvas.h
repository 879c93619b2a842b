#pragma once

#include "view/CCanvas.h"
#include "view/CLineCache.h"

#include <QColor>
#include <QLine>
#include <QPainter>
#include <QRect>

#include <array>

// Paints the map drawing with a QPainter, without antialiasing. Lines of one
// colour are gathered and drawn together; nothing is allocated per primitive.
// It remembers the area it touched, so a partial redraw updates only that.
class CQtCanvas : public CCanvas {
public:
    // With a line cache, a line repeated in one colour is drawn only once.
    explicit CQtCanvas(QPainter& painter, CLineCache* lineCache = nullptr);
    ~CQtCanvas() override;

    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) override;
    // A one-pixel rectangle: far cheaper than a pen for long straight lines.
    void DrawRule(bool vertical, int32_t at, int32_t length, Rgb colour) override;
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) override;
    void DrawEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb fill,
                     Rgb outline) override;
    void DrawText(int32_t x, int32_t y, const char* text) override;

    // Everything drawn so far, pens included.
    QRect GetTouchedArea() const { return m_touched; }
    void Flush();

private:
    void UsePen(Rgb colour);
    void Touch(int32_t left, int32_t top, int32_t right, int32_t bottom);

    QPainter& m_painter;
    CLineCache* m_lineCache;
    QPen m_pen;
    QBrush m_brush;
    bool m_hasPen = false;
    Rgb m_penColour;
    Rgb m_brushColour;
    std::array<QLine, 1024> m_lines;
    size_t m_lineCount = 0;
    QRect m_touched;
    QRect m_bounds; // of the surface; lines wholly outside it are not drawn
};
