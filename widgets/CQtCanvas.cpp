#include "widgets/CQtCanvas.h"

#include <algorithm>

namespace {

QColor ToQColor(Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

// Far-off geometry is clipped to this range so that Qt's coordinates stay sane.
constexpr int32_t kCoordinateLimit = 1 << 24;

int32_t Clamp(int32_t value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

} // namespace

CQtCanvas::CQtCanvas(QPainter& painter, CLineCache* lineCache)
    : m_painter(painter), m_lineCache(lineCache) {
    if (m_lineCache)
        m_lineCache->Reset();
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

void CQtCanvas::UsePen(Rgb colour) {
    if (m_hasPen && colour == m_penColour)
        return;
    Flush();
    if (m_lineCache)
        m_lineCache->Reset();
    m_pen.setColor(ToQColor(colour));
    m_painter.setPen(m_pen);
    m_penColour = colour;
    m_hasPen = true;
}

void CQtCanvas::Touch(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    QRect area(QPoint(std::min(left, right) - 1, std::min(top, bottom) - 1),
               QPoint(std::max(left, right) + 1, std::max(top, bottom) + 1));
    m_touched = m_touched.isNull() ? area : m_touched.united(area);
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
    if (m_lineCache && m_lineCache->SeenBefore(x1, y1, x2, y2))
        return;
    if (m_lineCount == m_lines.size())
        Flush();
    m_lines[m_lineCount++] = QLine(x1, y1, x2, y2);
    Touch(x1, y1, x2, y2);
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
    if (m_lineCache)
        m_lineCache->Reset();
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
    if (m_lineCache)
        m_lineCache->Reset();
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
