#pragma once

#include <QIcon>
#include <QSize>

class CIconCanvas;

// Toolbar buttons are 16 by 15 pixels.
inline constexpr QSize kToolBarIconSize(16, 15);

// The pictures of the toolbar's buttons, each painted on a 16 by 15 grid.
namespace ToolBarIcons {
void PaintNew(CIconCanvas& c);
void PaintOpen(CIconCanvas& c);
void PaintSave(CIconCanvas& c);
void PaintCut(CIconCanvas& c);
void PaintCopy(CIconCanvas& c);
void PaintSnap(CIconCanvas& c);
void PaintTextures(CIconCanvas& c);
void PaintThreeD(CIconCanvas& c);
void PaintViewXY(CIconCanvas& c);
void PaintViewXZ(CIconCanvas& c);
void PaintViewYZ(CIconCanvas& c);
void PaintFlipped(CIconCanvas& c);
void PaintZoomIn(CIconCanvas& c);
void PaintZoomOut(CIconCanvas& c);
void PaintCornerMode(CIconCanvas& c);
void PaintFaceMode(CIconCanvas& c);
void PaintBrushMode(CIconCanvas& c);
void PaintEntityMode(CIconCanvas& c);
void PaintAbout(CIconCanvas& c);
} // namespace ToolBarIcons

// A button's picture drawn at its own size and at twice that size.
QIcon MakeToolBarIcon(void (*paint)(CIconCanvas&));
