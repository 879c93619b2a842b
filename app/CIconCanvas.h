#pragma once

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPointF>
#include <QSize>

#include <functional>
#include <initializer_list>

// Draws small icons on a pixel grid given in logical pixels. Straight lines go
// through pixel centres with one-pixel pens, so the picture is sharp at its
// own size and at any whole multiple of it.
class CIconCanvas {
public:
    explicit CIconCanvas(QPainter& painter) : m_painter(painter) {}

    // A line from the centre of pixel (x1, y1) to the centre of (x2, y2),
    // both end pixels included.
    void DrawLine(qreal x1, qreal y1, qreal x2, qreal y2, const QColor& colour, qreal width = 1);
    // Joined lines through pixel centres; closed goes back to the first point.
    void DrawPolyline(std::initializer_list<QPointF> points, const QColor& colour,
                      bool closed = false);
    void FillPolygon(std::initializer_list<QPointF> points, const QColor& fill,
                     const QColor& outline);
    // Whole pixels x..x+w-1, y..y+h-1, filled, outlined, or both.
    void FillRect(int x, int y, int w, int h, const QColor& fill);
    void DrawRect(int x, int y, int w, int h, const QColor& outline);
    // A circle around the centre of pixel (cx, cy), or a point between pixels
    // when given halves.
    void DrawCircle(qreal cx, qreal cy, qreal radius, const QColor& outline, qreal width = 1);
    void FillCircle(qreal cx, qreal cy, qreal radius, const QColor& fill);
    // Pixel art: one string per row; each `mark` is a pixel in the colour.
    void DrawPixels(int x, int y, std::initializer_list<const char*> rows, const QColor& colour,
                    char mark = '#');

    QPainter& GetPainter() { return m_painter; }

private:
    QPainter& m_painter;
};

using IconPainter = std::function<void(CIconCanvas&)>;

// Paints the picture at each of the scales into one icon, so that screens of
// every pixel density get a sharp version.
QIcon RenderIcon(QSize logicalSize, const IconPainter& paint,
                 std::initializer_list<int> scales = {1, 2});
