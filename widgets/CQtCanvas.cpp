#include "widgets/CQtCanvas.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {

QColor ToQColor(Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

// Far-off geometry is clipped to this range so that Qt's coordinates stay sane.
constexpr int32_t kCoordinateLimit = 1 << 24;

// Markers up to this size are copied from sprites; the margin holds what the
// pen draws past the rectangle.
constexpr int32_t kSpriteLimit = 32;
constexpr int32_t kSpriteMargin = 2;

// Straight lines up to these lengths are set again rather than looked up.
constexpr int64_t kShortRow = 64;
constexpr int64_t kShortColumn = 32;

// Between a view's corner markers come only a brush's own few edges, which
// the painter draws once each: the cache is asked only about lines of a
// longer run, where it finds repeats worth its table's misses.
constexpr int kLinesBeforeCaching = 16;

int32_t Clamp(int32_t value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

// Slanting lines up to this many pixels across and down are set from shapes:
// far from the zoom where they are few, a view of a large map shows tens of
// thousands, which the painter sets pixel by pixel through its whole engine.
constexpr int32_t kShortSlant = 16;

struct ShapePixel {
    int32_t dx;
    int32_t dy;
};

// The pixels the painter's one-pixel pen sets for a line from (0, 0) to
// (dx, dy), painted once per step on first use. The shapes are the same for
// every picture; each thread keeps its own, as each paints its own.
const std::vector<ShapePixel>& LineShapeOf(int32_t dx, int32_t dy) {
    constexpr int32_t kSide = 2 * kShortSlant + 1;
    thread_local std::vector<std::vector<ShapePixel>> shapes(kSide * kSide);
    thread_local std::vector<bool> made(kSide * kSide);
    const size_t index = static_cast<size_t>((dy + kShortSlant) * kSide + dx + kShortSlant);
    if (made[index])
        return shapes[index];
    // The line from the middle of an image with room on every side.
    constexpr int32_t kMiddle = kShortSlant + kSpriteMargin;
    QImage image(2 * kMiddle + 1, 2 * kMiddle + 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidth(0);
    painter.setPen(pen);
    painter.drawLine(kMiddle, kMiddle, kMiddle + dx, kMiddle + dy);
    painter.end();
    std::vector<ShapePixel>& shape = shapes[index];
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 255)
                shape.push_back({x - kMiddle, y - kMiddle});
        }
    }
    made[index] = true;
    return shape;
}

} // namespace

CQtCanvas::CQtCanvas(QPainter& painter, CLineCache* lineCache)
    : m_painter(painter), m_lineCache(lineCache) {
    ForgetLines();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_pen.setWidth(0); // cosmetic: one pixel whatever the transform
    m_pen.setStyle(Qt::SolidLine);
    m_brush.setStyle(Qt::SolidPattern);
    // In the painter's logical coordinates, as the drawing uses them.
    const QPaintDevice* device = m_painter.device();
    m_bounds = device
                   ? QRect(QPoint(0, 0),
                           (QSizeF(device->width(), device->height()) / device->devicePixelRatioF())
                               .toSize())
                   : QRect();
    if (!device || m_bounds.isEmpty())
        m_bounds =
            QRect(-kCoordinateLimit, -kCoordinateLimit, 2 * kCoordinateLimit, 2 * kCoordinateLimit);
    // Most of a map view's lines run straight across or down. Drawn through
    // the painter each costs a call through its whole engine; set in the
    // image's memory it costs a loop. Only where the result is the same
    // pixels: a plain 32-bit image, one pixel a unit, no transform, no clip,
    // opaque colours painted over.
    auto* image = dynamic_cast<QImage*>(m_painter.device());
    if (image && image->format() == QImage::Format_RGB32 && image->devicePixelRatio() == 1.0 &&
        m_painter.transform().isIdentity() && !m_painter.hasClipping() &&
        m_painter.compositionMode() == QPainter::CompositionMode_SourceOver) {
        m_pixels = reinterpret_cast<uint32_t*>(image->bits());
        m_pixelsPerRow = image->bytesPerLine() / 4;
        m_width = image->width();
        m_height = image->height();
    }
}

CQtCanvas::~CQtCanvas() {
    Flush();
}

void CQtCanvas::Flush() {
    if (m_lineCount == 0)
        return;
    m_painter.drawLines(m_lines.data(), static_cast<int>(m_lineCount));
    m_lineCount = 0;
}

void CQtCanvas::ChangePen(Rgb colour) {
    Flush();
    ForgetLines();
    m_pen.setColor(ToQColor(colour));
    m_painter.setPen(m_pen);
    m_penColour = colour;
    m_penPixel = ToQColor(colour).rgb();
    m_hasPen = true;
}

void CQtCanvas::ForgetLines() {
    if (m_lineCache)
        m_lineCache->Reset();
    m_linesSinceForgetting = 0;
}

bool CQtCanvas::DrawnSinceForgetting(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!m_lineCache || m_linesSinceForgetting < kLinesBeforeCaching) {
        ++m_linesSinceForgetting;
        return false;
    }
    return m_lineCache->SeenBefore(x1, y1, x2, y2);
}

QRect CQtCanvas::GetTouchedArea() const {
    if (m_touchedLeft > m_touchedRight)
        return QRect();
    return QRect(QPoint(m_touchedLeft, m_touchedTop), QPoint(m_touchedRight, m_touchedBottom));
}

void CQtCanvas::DrawRule(bool vertical, int32_t at, int32_t length, Rgb colour) {
    Flush(); // lines batched before are drawn first, as they came first
    at = Clamp(at), length = Clamp(length);
    // One device pixel thick, as the pen's lines are on a high-density
    // screen; a line's end pixel is drawn too, so the rule is one longer.
    const QPaintDevice* device = m_painter.device();
    const qreal thin = device ? 1.0 / device->devicePixelRatioF() : 1.0;
    const QRectF rule =
        vertical ? QRectF(at, 0, thin, length + 1) : QRectF(0, at, length + 1, thin);
    m_painter.fillRect(rule, ToQColor(colour));
    if (vertical)
        Touch(at, 0, at, length);
    else
        Touch(0, at, length, at);
}

void CQtCanvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) {
    // A line from a pixel to itself has no length, and one wholly beyond an
    // edge of the surface shows nothing: neither changes a pixel.
    if (x1 == x2 && y1 == y2)
        return;
    if ((x1 < m_bounds.left() && x2 < m_bounds.left()) ||
        (x1 > m_bounds.right() && x2 > m_bounds.right()) ||
        (y1 < m_bounds.top() && y2 < m_bounds.top()) ||
        (y1 > m_bounds.bottom() && y2 > m_bounds.bottom()))
        return;
    x1 = Clamp(x1), y1 = Clamp(y1), x2 = Clamp(x2), y2 = Clamp(y2);
    UsePen(colour);
    if (m_pixels && (x1 == x2 || y1 == y2)) {
        // Lines batched before are of this colour too: the order between
        // them changes no pixel. Setting a short line's pixels again costs
        // less than asking the cache whether it was drawn; a column's pixels
        // lie a row apart, so columns are worth asking about sooner.
        const bool down = x1 == x2;
        const int64_t length = down ? std::llabs(int64_t{y2} - y1) : std::llabs(int64_t{x2} - x1);
        if (length > (down ? kShortColumn : kShortRow) && DrawnSinceForgetting(x1, y1, x2, y2))
            return;
        FillStraightLine(x1, y1, x2, y2);
        Touch(x1, y1, x2, y2);
        return;
    }
    if (m_pixels && SetShortSlantingLine(x1, y1, x2, y2)) {
        Touch(x1, y1, x2, y2);
        return;
    }
    if (DrawnSinceForgetting(x1, y1, x2, y2))
        return;
    if (m_lineCount == m_lines.size())
        Flush();
    m_lines[m_lineCount++] = QLine(x1, y1, x2, y2);
    Touch(x1, y1, x2, y2);
}

// Both end pixels are set, as the painter's one-pixel pen sets them.
void CQtCanvas::FillStraightLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (y1 == y2) {
        const int32_t left = std::max(std::min(x1, x2), 0);
        const int32_t right = std::min(std::max(x1, x2), m_width - 1);
        if (y1 < 0 || y1 >= m_height || left > right)
            return;
        uint32_t* row = m_pixels + y1 * m_pixelsPerRow;
        std::fill(row + left, row + right + 1, m_penPixel);
        return;
    }
    const int32_t top = std::max(std::min(y1, y2), 0);
    const int32_t bottom = std::min(std::max(y1, y2), m_height - 1);
    if (x1 < 0 || x1 >= m_width || top > bottom)
        return;
    for (int32_t y = top; y <= bottom; ++y)
        m_pixels[y * m_pixelsPerRow + x1] = m_penPixel;
}

// Lines batched before are of this colour too: the order between them
// changes no pixel. Setting a short line's pixels again costs less than
// asking the cache whether it was drawn. Near an edge the painter cuts the
// line first, which may move its pixels: it draws those itself.
bool CQtCanvas::SetShortSlantingLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t dx = x2 - x1, dy = y2 - y1;
    if (dx < -kShortSlant || dx > kShortSlant || dy < -kShortSlant || dy > kShortSlant)
        return false;
    const int32_t reach = kSpriteMargin;
    if (std::min(x1, x2) - reach < 0 || std::min(y1, y2) - reach < 0 ||
        std::max(x1, x2) + reach >= m_width || std::max(y1, y2) + reach >= m_height)
        return false;
    uint32_t* start = m_pixels + y1 * m_pixelsPerRow + x1;
    for (const ShapePixel& p : LineShapeOf(dx, dy))
        start[p.dy * m_pixelsPerRow + p.dx] = m_penPixel;
    return true;
}

const CQtCanvas::Sprite& CQtCanvas::SpriteOf(int32_t width, int32_t height, Rgb fill, Rgb outline) {
    for (const Sprite& sprite : m_sprites) {
        if (sprite.width == width && sprite.height == height && sprite.fill == fill &&
            sprite.outline == outline)
            return sprite;
    }
    QImage image(width + 1 + 2 * kSpriteMargin, height + 1 + 2 * kSpriteMargin,
                 QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(outline));
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setBrush(ToQColor(fill));
    painter.drawEllipse(QRect(QPoint(kSpriteMargin, kSpriteMargin),
                              QPoint(kSpriteMargin + width, kSpriteMargin + height)));
    painter.end();
    Sprite sprite{width, height, fill, outline, {}, std::max(image.width(), image.height())};
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 255) // without antialiasing: opaque or clear
                sprite.pixels.push_back({x - kSpriteMargin, y - kSpriteMargin, row[x]});
        }
    }
    m_sprites.push_back(std::move(sprite));
    return m_sprites.back();
}

void CQtCanvas::CopySprite(const Sprite& sprite, int32_t left, int32_t top) {
    const bool inside = left - kSpriteMargin >= 0 && top - kSpriteMargin >= 0 &&
                        left + sprite.extent < m_width && top + sprite.extent < m_height;
    for (const SpritePixel& p : sprite.pixels) {
        const int32_t x = left + p.dx, y = top + p.dy;
        if (inside || (x >= 0 && x < m_width && y >= 0 && y < m_height))
            m_pixels[y * m_pixelsPerRow + x] = p.value;
    }
}

void CQtCanvas::DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) {
    DrawLine(x1, y1, x2, y1, colour);
    DrawLine(x2, y1, x2, y2, colour);
    DrawLine(x2, y2, x1, y2, colour);
    DrawLine(x1, y2, x1, y1, colour);
}

void CQtCanvas::DrawEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb fill,
                            Rgb outline) {
    left = Clamp(left), top = Clamp(top), right = Clamp(right), bottom = Clamp(bottom);
    UsePen(outline);
    Flush();
    ForgetLines();
    if (m_pixels && right >= left && bottom >= top && right - left <= kSpriteLimit &&
        bottom - top <= kSpriteLimit) {
        CopySprite(SpriteOf(right - left, bottom - top, fill, outline), left, top);
        Touch(left, top, right, bottom);
        return;
    }
    if (!(fill == m_brushColour) || m_painter.brush().style() != Qt::SolidPattern) {
        m_brush.setColor(ToQColor(fill));
        m_brushColour = fill;
    }
    m_painter.setBrush(m_brush);
    m_painter.drawEllipse(QRect(QPoint(left, top), QPoint(right, bottom)));
    m_painter.setBrush(Qt::NoBrush);
    Touch(left, top, right, bottom);
}

void CQtCanvas::DrawText(int32_t x, int32_t y, const char* text) {
    Flush();
    ForgetLines();
    QString string = QString::fromLatin1(text);
    QRect box = m_painter.fontMetrics().boundingRect(string);
    box.moveTopLeft(QPoint(Clamp(x), Clamp(y)));
    m_painter.save();
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(Qt::white);
    m_painter.setPen(Qt::black);
    m_painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, string);
    m_painter.restore();
    m_hasPen = false;
    Touch(box.left(), box.top(), box.right(), box.bottom());
}
