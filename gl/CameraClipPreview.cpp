#include "gl/CameraClipPreview.h"

#include "scene/CSceneCamera.h"
#include "view/CClipTool.h"

#include <QPainter>

void DrawCameraClipPreview(QPainter& painter, const CClipTool& tool, const CSceneCamera& camera,
                           int width, int height) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen kept(QColor(0, 220, 90), 2);
    const QPen dropped(QColor(0, 220, 90), 1, Qt::DashLine);
    for (const ClipPreviewEdge& edge : tool.PreviewEdges()) {
        const auto pixels =
            camera.SegmentPixels(ToVec3d(edge.from), ToVec3d(edge.to), width, height);
        if (!pixels)
            continue;
        painter.setPen(edge.kind == ClipLineKind::kKept ? kept : dropped);
        painter.drawLine(QPointF(pixels->first.x, pixels->first.y),
                         QPointF(pixels->second.x, pixels->second.y));
    }
    painter.setPen(QPen(QColor(255, 140, 0), 2));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < tool.CountPoints(); ++i) {
        if (const auto p = camera.PixelOf(ToVec3d(tool.GetPoint(i)), width, height))
            painter.drawRect(QRectF(p->x - 4, p->y - 4, 8, 8));
    }
}
