#include "widgets/CQtCanvas.h"

#include "view/CMapPainter.h"
#include "view/ViewNavigation.h"

#include "TestSupport.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace {

struct Line {
    int32_t x1, y1, x2, y2;
    Rgb colour;
};

QImage White(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// How many pixels of two pictures of one size differ.
int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

} // namespace

// Lines across, down and slanting, inside, crossing the edges and wholly
// outside, in changing colours: the canvas, which sets straight lines in the
// image itself, leaves the very pixels the painter's one-pixel pen leaves.
TEST(CQtCanvas, StraightLinesSetInTheImageMatchThePaintersPixels) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int32_t> coordinate(-40, 140), pick(0, 5);
    const Rgb colours[] = {{0, 0, 128}, {200, 0, 0}, {0, 0, 0}};
    std::vector<Line> lines;
    for (int i = 0; i < 2000; ++i) {
        Line line{coordinate(random), coordinate(random), coordinate(random), coordinate(random),
                  colours[i / 300 % 3]};
        const int kind = pick(random);
        if (kind < 2)
            line.y2 = line.y1; // across
        else if (kind < 4)
            line.x2 = line.x1; // down
        lines.push_back(line);
    }
    QImage canvasImage = White(101, 77), painterImage = White(101, 77);
    {
        QPainter painter(&canvasImage);
        CQtCanvas canvas(painter);
        for (const Line& l : lines)
            canvas.DrawLine(l.x1, l.y1, l.x2, l.y2, l.colour);
    }
    {
        QPainter painter(&painterImage);
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (const Line& l : lines) {
            if (l.x1 == l.x2 && l.y1 == l.y2)
                continue; // the canvas draws nothing for a line without length
            QPen pen(QColor(l.colour.r, l.colour.g, l.colour.b));
            pen.setWidth(0);
            painter.setPen(pen);
            painter.drawLine(l.x1, l.y1, l.x2, l.y2);
        }
    }
    EXPECT_EQ(DifferingPixels(canvasImage, painterImage), 0);
}

// Short slanting lines, which the canvas sets from the shapes of their steps,
// in every direction, anywhere, edges included: the painter's pixels.
TEST(CQtCanvas, ShortSlantingLinesSetFromShapesMatchThePaintersPixels) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> coordinate(-10, 110), step(-18, 18);
    const Rgb colours[] = {{0, 0, 128}, {200, 0, 0}, {0, 0, 0}};
    QImage canvasImage = White(101, 77), painterImage = White(101, 77);
    QPainter canvasPainter(&canvasImage), painter(&painterImage);
    CQtCanvas canvas(canvasPainter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 3000; ++i) {
        const int32_t x = coordinate(random), y = coordinate(random);
        const int32_t dx = step(random), dy = step(random);
        const Rgb colour = colours[i / 500 % 3];
        canvas.DrawLine(x, y, x + dx, y + dy, colour);
        if (dx == 0 && dy == 0)
            continue; // the canvas draws nothing for a line without length
        QPen pen(QColor(colour.r, colour.g, colour.b));
        pen.setWidth(0);
        painter.setPen(pen);
        painter.drawLine(x, y, x + dx, y + dy);
    }
    canvas.Flush();
    canvasPainter.end();
    painter.end();
    EXPECT_EQ(DifferingPixels(canvasImage, painterImage), 0);
}

// Small markers copied from sprites, anywhere, edges included, over lines:
// the same pixels as the painter's own ellipses.
TEST(CQtCanvas, SmallMarkersCopiedFromSpritesMatchThePaintersEllipses) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int32_t> coordinate(-20, 120), radius(0, 9);
    const Rgb fills[] = {{0, 0, 128}, {128, 128, 0}, {0, 100, 0}};
    QImage canvasImage = White(101, 77), painterImage = White(101, 77);
    QPainter canvasPainter(&canvasImage), painter(&painterImage);
    CQtCanvas canvas(canvasPainter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 400; ++i) {
        const int32_t x = coordinate(random), y = coordinate(random), r = radius(random);
        const Rgb fill = fills[i % 3];
        canvas.DrawLine(x - 30, y, x + 30, y + 3, {200, 0, 0});
        canvas.DrawEllipse(x - r, y - r, x + r, y + r, fill, {0, 0, 0});
        QPen line(QColor(200, 0, 0));
        line.setWidth(0);
        painter.setPen(line);
        painter.drawLine(x - 30, y, x + 30, y + 3);
        QPen outline(Qt::black);
        outline.setWidth(0);
        painter.setPen(outline);
        painter.setBrush(QColor(fill.r, fill.g, fill.b));
        painter.drawEllipse(QRect(QPoint(x - r, y - r), QPoint(x + r, y + r)));
        painter.setBrush(Qt::NoBrush);
    }
    canvas.Flush();
    canvasPainter.end();
    painter.end();
    EXPECT_EQ(DifferingPixels(canvasImage, painterImage), 0);
}

// A real map in every plane, from framed to close up: drawn with a line cache
// kept over several pictures (as a view keeps it), the picture is the one the
// painter gives drawing every line itself. A line the cache wrongly took for
// drawn would leave a gap.
TEST(CQtCanvas, AMapDrawnWithTheLineCacheMatchesThePaintersPicture) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(doc.ReadMapFile(TestDataPath("maps/id_e1m1.map").string(), diagnostics));
    CLineCache cache;
    for (const int32_t plane : {kPlaneXY, kPlaneXZ, kPlaneYZ}) {
        for (const bool threeD : {false, true}) {
            CViewProjection projection;
            projection.m_viewMode = plane;
            projection.m_threeD = threeD;
            FrameMap(doc, projection, 640, 480);
            for (int closer = 0; closer < 4; ++closer) {
                QImage cached = White(640, 480);
                QImage plain(640, 480, QImage::Format_ARGB32_Premultiplied);
                plain.fill(Qt::white);
                for (QImage* image : {&cached, &plain}) {
                    QPainter painter(image);
                    CQtCanvas canvas(painter, image == &cached ? &cache : nullptr);
                    CMapPainter(doc, projection, canvas).PaintAll(640, 480);
                }
                plain = plain.convertToFormat(QImage::Format_RGB32);
                EXPECT_EQ(DifferingPixels(cached, plain), 0)
                    << "plane " << plane << (threeD ? " 3D" : "") << " zoom "
                    << projection.ScaleText();
                projection.ZoomIn(320, 240);
            }
        }
    }
}
