#include "app/AppIcon.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

void DrawVisibleEdges(QPainter& painter, const QPen& edge, const QPointF* front,
                      const QPointF* back) {
    painter.setPen(edge);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(front, 4);
    painter.drawLine(front[0], back[0]);
    painter.drawLine(back[0], back[1]);
    painter.drawLine(back[1], back[2]);
    painter.drawLine(front[1], back[1]);
    painter.drawLine(front[2], back[2]);
}

// Drawn on a 64 by 64 grid and scaled to each size. Small sizes leave out the
// hidden edges and the corners, which would only blur there.
void PaintApplicationIcon(QPainter& painter, bool small) {
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(0x2c, 0x5d, 0x87));
    tile.setColorAt(1, QColor(0x1b, 0x33, 0x4d));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    const QPointF front[4] = {{14, 26}, {38, 26}, {38, 50}, {14, 50}};
    const QPointF back[4] = {{26, 14}, {50, 14}, {50, 38}, {26, 38}};
    painter.setBrush(QColor(0xf2, 0x9b, 0x38, 70));
    painter.drawPolygon(front, 4);

    QPen edge(QColor(0xf2, 0x9b, 0x38), small ? 6 : 3.5);
    edge.setJoinStyle(Qt::RoundJoin);
    edge.setCapStyle(Qt::RoundCap);
    if (small) {
        DrawVisibleEdges(painter, edge, front, back);
        return;
    }

    QPen hidden(QColor(0xf2, 0x9b, 0x38, 110), 2);
    painter.setPen(hidden);
    painter.drawLine(back[3], back[0]);
    painter.drawLine(back[3], back[2]);
    painter.drawLine(back[3], front[3]);

    DrawVisibleEdges(painter, edge, front, back);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xff, 0xff));
    for (QPointF corner : {front[0], front[1], front[2], front[3], back[0], back[1], back[2]})
        painter.drawEllipse(corner, 3.5, 3.5);
}

} // namespace

QIcon MakeApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        PaintApplicationIcon(painter, size <= 24);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
