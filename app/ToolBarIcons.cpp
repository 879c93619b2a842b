#include "app/ToolBarIcons.h"

#include "app/CIconCanvas.h"

namespace ToolBarIcons {

// One palette for all buttons, so that the bar looks of a piece.
const QColor kInk(0x33, 0x3a, 0x45);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xdd, 0xe3, 0xea);
const QColor kFolder(0xf0, 0xbe, 0x4e);
const QColor kFolderDark(0xa8, 0x74, 0x12);
const QColor kBlue(0x2f, 0x6d, 0xb5);
const QColor kBlueLight(0x9c, 0xc2, 0xeb);
const QColor kBluePale(0xd6, 0xe6, 0xf7);
const QColor kRed(0xc9, 0x3a, 0x2f);
const QColor kGreen(0x2e, 0x8b, 0x4a);
const QColor kGrey(0x8a, 0x94, 0xa0);
const QColor kGlass(0xe4, 0xf1, 0xfb);
const QColor kHighlight(0xf5, 0xa6, 0x23);
const QColor kWood(0x8d, 0x5a, 0x2b);
const QColor kTan(0xe2, 0xc9, 0x94);

static void PaintPage(CIconCanvas& c, int x, int y, int w, int h) {
    const int fold = 3;
    c.FillPolygon({{qreal(x), qreal(y)},
                   {qreal(x + w - 1 - fold), qreal(y)},
                   {qreal(x + w - 1), qreal(y + fold)},
                   {qreal(x + w - 1), qreal(y + h - 1)},
                   {qreal(x), qreal(y + h - 1)}},
                  kPaper, kInk);
    c.DrawPolyline({{qreal(x + w - 1 - fold), qreal(y)},
                    {qreal(x + w - 1 - fold), qreal(y + fold)},
                    {qreal(x + w - 1), qreal(y + fold)}},
                   kInk);
}

void PaintNew(CIconCanvas& c) {
    PaintPage(c, 3, 1, 10, 13);
    c.DrawLine(5, 7, 10, 7, kPaperShade);
    c.DrawLine(5, 9, 10, 9, kPaperShade);
    c.DrawLine(5, 11, 10, 11, kPaperShade);
}

void PaintOpen(CIconCanvas& c) {
    // Back of the folder with its tab, then the open front leaning forward.
    c.FillPolygon({{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 12}, {1, 12}}, kFolderDark, kFolderDark);
    c.FillRect(3, 6, 8, 4, kPaper);
    c.FillPolygon({{1, 12}, {4, 7}, {15, 7}, {12, 12}}, kFolder, kFolderDark);
}

void PaintSave(CIconCanvas& c) {
    c.FillPolygon({{1, 1}, {12, 1}, {14, 3}, {14, 13}, {1, 13}}, kBlue, QColor(0x1d, 0x4a, 0x7e));
    c.FillRect(4, 2, 7, 4, kPaperShade);
    c.FillRect(8, 3, 2, 2, kBlue);
    c.FillRect(3, 8, 9, 5, kPaper);
    c.DrawLine(4, 10, 10, 10, kPaperShade);
}

void PaintCut(CIconCanvas& c) {
    c.DrawLine(5, 1, 9, 9, kGrey, 1.4);
    c.DrawLine(10, 1, 6, 9, kGrey, 1.4);
    c.FillCircle(7.5, 6, 0.9, kInk);
    c.DrawCircle(4.5, 11, 2.4, kRed, 1.4);
    c.DrawCircle(10.5, 11, 2.4, kRed, 1.4);
}

void PaintCopy(CIconCanvas& c) {
    PaintPage(c, 1, 1, 9, 10);
    PaintPage(c, 6, 4, 9, 11);
}

void PaintSnap(CIconCanvas& c) {
    // A horseshoe magnet pulling a point onto a grid of dots.
    const std::initializer_list<const char*> magnet = {
        "......rrrrr.....", ".....rrrrrrr....", "....rrr...rrr...", "....rr.....rr...",
        "....rr.....rr...", "....gg.....gg...", "....gg.....gg...",
    };
    c.DrawPixels(0, 0, magnet, kRed, 'r');
    c.DrawPixels(0, 0, magnet, kGrey, 'g');
    for (int x = 0; x <= 12; x += 4) {
        c.FillRect(x, 10, 1, 1, kGrey);
        c.FillRect(x, 14, 1, 1, kGrey);
    }
    c.FillRect(7, 9, 3, 3, kInk);
}

void PaintTextures(CIconCanvas& c) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            c.FillRect(2 + column * 3, 1 + row * 3, 3, 3, (row + column) % 2 ? kTan : kWood);
    }
    c.DrawRect(1, 0, 14, 14, kInk);
}

static void PaintCube(CIconCanvas& c, const QColor& front, const QColor& top, const QColor& side,
                      const QColor& line) {
    // Front square 2..10 x 5..13, the back one 4 right and 4 up.
    c.FillPolygon({{2, 5}, {6, 1}, {14, 1}, {10, 5}}, top, QColor());
    c.FillPolygon({{10, 5}, {14, 1}, {14, 9}, {10, 13}}, side, QColor());
    c.FillRect(2, 5, 9, 9, front);
    c.DrawPolyline({{2, 5}, {10, 5}, {10, 13}, {2, 13}}, line, true);
    c.DrawPolyline({{2, 5}, {6, 1}, {14, 1}, {14, 9}, {10, 13}}, line);
    c.DrawLine(10, 5, 14, 1, line);
}

void PaintThreeD(CIconCanvas& c) {
    const QColor none(Qt::transparent);
    // The hidden edges, lighter, make it read as a wire frame.
    c.DrawPolyline({{2, 13}, {6, 9}, {14, 9}}, kBlueLight);
    c.DrawLine(6, 1, 6, 9, kBlueLight);
    PaintCube(c, none, none, none, kBlue);
}

// Pixel letters 5 wide and 7 high.
static void PaintLetter(CIconCanvas& c, char letter, int x, int y, const QColor& colour) {
    switch (letter) {
    case 'X':
        c.DrawPixels(x, y, {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}, colour);
        break;
    case 'Y':
        c.DrawPixels(x, y, {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}, colour);
        break;
    case 'Z':
        c.DrawPixels(x, y, {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}, colour);
        break;
    default:
        break;
    }
}

// The plane's two axes as letters over a corner of axis lines: the first is
// the screen's horizontal axis, the second its vertical one.
static void PaintPlane(CIconCanvas& c, char horizontal, char vertical) {
    c.DrawLine(1, 1, 1, 13, kGrey);
    c.DrawLine(1, 13, 14, 13, kGrey);
    PaintLetter(c, horizontal, 3, 3, kRed);
    PaintLetter(c, vertical, 9, 3, kGreen);
}

void PaintFlipped(CIconCanvas& c) {
    for (int y = 1; y <= 13; y += 2)
        c.FillRect(7, y, 1, 1, kGrey);
    // An arrow pointing left and its mirror image pointing right.
    c.FillPolygon({{1, 7}, {5, 3}, {5, 11}}, kBlue, kBlue);
    c.FillRect(5, 6, 1, 3, kBlue);
    c.FillPolygon({{13, 7}, {9, 3}, {9, 11}}, kBlueLight, kBlue);
    c.FillRect(9, 6, 1, 3, kBlueLight);
}

static void PaintMagnifier(CIconCanvas& c, bool plus) {
    c.FillCircle(6, 6, 4.5, kGlass);
    c.DrawCircle(6, 6, 4.5, kInk, 1.2);
    c.DrawLine(10, 10, 13, 13, kWood, 2.2);
    c.DrawLine(4, 6, 8, 6, kInk);
    if (plus)
        c.DrawLine(6, 4, 6, 8, kInk);
}

void PaintCornerMode(CIconCanvas& c) {
    c.DrawRect(3, 3, 11, 11, kGrey);
    c.FillRect(1, 1, 5, 5, kRed);
    c.DrawRect(1, 1, 5, 5, QColor(0x8e, 0x1f, 0x17));
}

void PaintFaceMode(CIconCanvas& c) {
    const QColor none(Qt::transparent);
    PaintCube(c, kHighlight, none, none, kInk);
}

void PaintBrushMode(CIconCanvas& c) {
    PaintCube(c, kBlueLight, kBluePale, kBlue, QColor(0x1d, 0x4a, 0x7e));
}

void PaintEntityMode(CIconCanvas& c) {
    c.DrawLine(4, 1, 4, 13, kInk);
    c.DrawLine(2, 13, 7, 13, kInk);
    c.FillPolygon({{5, 1}, {13, 1}, {11, 4}, {13, 7}, {5, 7}}, kGreen, QColor(0x1d, 0x5c, 0x30));
}

void PaintAbout(CIconCanvas& c) {
    c.FillCircle(7.5, 7, 7, kBlue);
    c.DrawPixels(5, 3, {".###.", "#...#", "....#", "..##.", "..#..", ".....", "..#.."}, kPaper);
    // The pixel glyph is thin at this size; a second pass makes it bold.
    c.DrawPixels(6, 3, {".###.", "#...#", "....#", "..##.", "..#..", ".....", "..#.."}, kPaper);
}

void PaintViewXY(CIconCanvas& c) {
    PaintPlane(c, 'X', 'Y');
}

void PaintViewXZ(CIconCanvas& c) {
    PaintPlane(c, 'X', 'Z');
}

void PaintViewYZ(CIconCanvas& c) {
    PaintPlane(c, 'Y', 'Z');
}

void PaintZoomIn(CIconCanvas& c) {
    PaintMagnifier(c, true);
}

void PaintZoomOut(CIconCanvas& c) {
    PaintMagnifier(c, false);
}

} // namespace ToolBarIcons

QIcon MakeToolBarIcon(void (*paint)(CIconCanvas&)) {
    return RenderIcon(kToolBarIconSize, paint);
}
