#include "app/CIconCanvas.h"

#include <QImage>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPointF PixelCentre(QPointF point) {
    return point + QPointF(0.5, 0.5);
}

QPen SharpPen(const QColor& colour, qreal width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void CIconCanvas::DrawLine(qreal x1, qreal y1, qreal x2, qreal y2, const QColor& colour,
                           qreal width) {
    m_painter.setPen(SharpPen(colour, width));
    m_painter.drawLine(PixelCentre({x1, y1}), PixelCentre({x2, y2}));
}

void CIconCanvas::DrawPolyline(std::initializer_list<QPointF> points, const QColor& colour,
                               bool closed) {
    QPolygonF polygon;
    for (QPointF point : points)
        polygon << PixelCentre(point);
    m_painter.setPen(SharpPen(colour, 1));
    m_painter.setBrush(Qt::NoBrush);
    if (closed)
        m_painter.drawPolygon(polygon);
    else
        m_painter.drawPolyline(polygon);
}

void CIconCanvas::FillPolygon(std::initializer_list<QPointF> points, const QColor& fill,
                              const QColor& outline) {
    QPolygonF polygon;
    for (QPointF point : points)
        polygon << PixelCentre(point);
    m_painter.setPen(outline.isValid() ? SharpPen(outline, 1) : QPen(Qt::NoPen));
    m_painter.setBrush(fill);
    m_painter.drawPolygon(polygon);
}

void CIconCanvas::FillRect(int x, int y, int w, int h, const QColor& fill) {
    m_painter.fillRect(QRectF(x, y, w, h), fill);
}

void CIconCanvas::DrawRect(int x, int y, int w, int h, const QColor& outline) {
    m_painter.setPen(SharpPen(outline, 1));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void CIconCanvas::DrawCircle(qreal cx, qreal cy, qreal radius, const QColor& outline, qreal width) {
    m_painter.setPen(QPen(outline, width));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawEllipse(PixelCentre({cx, cy}), radius, radius);
}

void CIconCanvas::FillCircle(qreal cx, qreal cy, qreal radius, const QColor& fill) {
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(fill);
    m_painter.drawEllipse(PixelCentre({cx, cy}), radius, radius);
}

void CIconCanvas::DrawPixels(int x, int y, std::initializer_list<const char*> rows,
                             const QColor& colour, char mark) {
    int row = 0;
    for (const char* line : rows) {
        for (int column = 0; line[column] != '\0'; ++column) {
            if (line[column] == mark)
                m_painter.fillRect(QRectF(x + column, y + row, 1, 1), colour);
        }
        ++row;
    }
}

QIcon RenderIcon(QSize logicalSize, const IconPainter& paint, std::initializer_list<int> scales) {
    QIcon icon;
    for (int scale : scales) {
        QImage image(logicalSize * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(scale, scale);
            CIconCanvas canvas(painter);
            paint(canvas);
        }
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
