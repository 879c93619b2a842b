#pragma once

#include "view/CCanvas.h"
#include "view/CLineCache.h"

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <vector>

// Paints the map drawing with a QPainter, without antialiasing. Lines of one
// colour are gathered and drawn together; nothing is allocated per primitive.
// It remembers the area it touched, so a partial redraw updates only that.
class CQtCanvas final : public CCanvas {
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
    QRect GetTouchedArea() const;
    void Flush();

private:
    // Lines come by the hundred thousand, mostly in the pen they had.
    void UsePen(Rgb colour) {
        if (!m_hasPen || !(colour == m_penColour))
            ChangePen(colour);
    }
    void ChangePen(Rgb colour);
    // A marker, text or another pen may cover lines drawn before: a line
    // drawn after it is drawn even if it was drawn before.
    void ForgetLines();
    bool DrawnSinceForgetting(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Sets the pixels of a line straight across or down in the image.
    void FillStraightLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // A small marker, painted once into a sprite and then copied: the
    // painter rasterises alike wherever the rectangle lies.
    struct SpritePixel {
        int32_t dx;
        int32_t dy;
        uint32_t value;
    };
    struct Sprite {
        int32_t width;
        int32_t height;
        Rgb fill;
        Rgb outline;
        std::vector<SpritePixel> pixels; // the opaque ones, from the top left
        int32_t extent;                  // of the square around them
    };
    const Sprite& SpriteOf(int32_t width, int32_t height, Rgb fill, Rgb outline);
    void CopySprite(const Sprite& sprite, int32_t left, int32_t top);
    // A short slanting line, whose pixels the painter sets alike wherever
    // it starts: they are set from the shape of its step, painted once. False
    // for a line too long or too near an edge of the image.
    bool SetShortSlantingLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Touch(int32_t left, int32_t top, int32_t right, int32_t bottom) {
        m_touchedLeft = std::min({m_touchedLeft, left - 1, right - 1});
        m_touchedTop = std::min({m_touchedTop, top - 1, bottom - 1});
        m_touchedRight = std::max({m_touchedRight, left + 1, right + 1});
        m_touchedBottom = std::max({m_touchedBottom, top + 1, bottom + 1});
    }

    QPainter& m_painter;
    CLineCache* m_lineCache;
    QPen m_pen;
    QBrush m_brush;
    bool m_hasPen = false;
    Rgb m_penColour;
    Rgb m_brushColour;
    std::array<QLine, 1024> m_lines;
    size_t m_lineCount = 0;
    int m_linesSinceForgetting = 0;
    // The touched area's edges, kept as numbers: every primitive widens them.
    int32_t m_touchedLeft = INT32_MAX;
    int32_t m_touchedTop = INT32_MAX;
    int32_t m_touchedRight = INT32_MIN;
    int32_t m_touchedBottom = INT32_MIN;
    QRect m_bounds; // of the surface; lines wholly outside it are not drawn
    // The image's pixels, when lines straight across or down may be set in
    // them directly (see the constructor); null otherwise.
    uint32_t* m_pixels = nullptr;
    qsizetype m_pixelsPerRow = 0;
    int m_width = 0;
    int m_height = 0;
    uint32_t m_penPixel = 0;
    std::vector<Sprite> m_sprites;
};
