#include "app/NavigationCommands.h"

#include "app/ToolBarIcons.h"
#include "framework/CStatusNotice.h"
#include "gl/CCameraView.h"
#include "map/SelectionSetEdits.h"
#include "view/ViewNavigation.h"
#include "widgets/CTolveView.h"

namespace {

using enum CommandId;
using enum CommandScope;

CViewProjection& Projection(const CommandContext& c) {
    return c.view->m_projection;
}

void ShowPlane(const CommandContext& c, ViewPlane plane) {
    Projection(c).m_viewMode = plane;
    c.view->InvalidateAll();
}

void ShowXY(const CommandContext& c) {
    ShowPlane(c, kPlaneXY);
}

void ShowXZ(const CommandContext& c) {
    ShowPlane(c, kPlaneXZ);
}

void ShowYZ(const CommandContext& c) {
    ShowPlane(c, kPlaneYZ);
}

bool IsShowingXY(const CommandContext& c) {
    return Projection(c).m_viewMode == kPlaneXY;
}

bool IsShowingXZ(const CommandContext& c) {
    return Projection(c).m_viewMode == kPlaneXZ;
}

bool IsShowingYZ(const CommandContext& c) {
    return Projection(c).m_viewMode == kPlaneYZ;
}

void ToggleThreeD(const CommandContext& c) {
    Projection(c).m_threeD = !Projection(c).m_threeD;
    c.view->InvalidateAll();
}

bool IsThreeD(const CommandContext& c) {
    return Projection(c).m_threeD;
}

void ToggleFlipped(const CommandContext& c) {
    Projection(c).m_flipped = !Projection(c).m_flipped;
    c.view->InvalidateAll();
}

bool IsFlipped(const CommandContext& c) {
    return Projection(c).m_flipped;
}

void ScrollViewUp(const CommandContext& c) {
    Projection(c).ScrollUp();
    c.view->InvalidateAll();
}

void ScrollViewDown(const CommandContext& c) {
    Projection(c).ScrollDown();
    c.view->InvalidateAll();
}

void ScrollViewRight(const CommandContext& c) {
    Projection(c).ScrollRight();
    c.view->InvalidateAll();
}

void ScrollViewLeft(const CommandContext& c) {
    Projection(c).ScrollLeft();
    c.view->InvalidateAll();
}

void ZoomViewIn(const CommandContext& c) {
    // At the finest zoom nothing changes, so nothing is redrawn.
    if (Projection(c).ZoomIn(c.view->width(), c.view->height()))
        c.view->InvalidateAll();
}

void ZoomViewOut(const CommandContext& c) {
    Projection(c).ZoomOut(c.view->width(), c.view->height());
    c.view->InvalidateAll();
}

// About the view's centre, as Zoom In and Zoom Out go.
void ShowActualSize(const CommandContext& c) {
    if (Projection(c).ActualSizeAt({c.view->width() / 2, c.view->height() / 2}))
        c.view->InvalidateAll();
}

void FrameWholeMap(const CommandContext& c) {
    c.view->FrameMap();
}

// Around a loaded leak trace; none without one.
std::optional<IntBox> BoundsOfPointFile(const CTolveDoc& doc) {
    std::optional<IntBox> box;
    if (doc.m_pointFile) {
        for (const Vec3d& point : doc.m_pointFile->points)
            Grow(box, NearestPoint(point));
    }
    return box;
}

// The selection set, else a loaded leak trace, else the hovered object
// wherever it is: the way to find what the status bar names.
void FrameSelection(const CommandContext& c) {
    if (c.camera) {
        const CEditorState& state = c.camera->GetDocument().GetEditorState();
        const CSelectionSet& set = state.GetSelectionSet();
        if (const std::optional<IntBox> box =
                BoundsOfSet(set.IsEmpty() ? state.GetHoverAsSet() : set, state.GetEditMode()))
            c.camera->FrameBox(*box);
        else
            ShowStatusNotice("Nothing is selected or hovered to frame");
        return;
    }
    CTolveView& view = *c.view;
    const CEditorState& state = view.GetDocument().GetEditorState();
    const CSelectionSet& set = state.GetSelectionSet();
    std::optional<IntBox> box =
        set.IsEmpty() ? BoundsOfPointFile(view.GetDocument()) : std::nullopt;
    if (!box)
        box = BoundsOfSet(set.IsEmpty() ? state.GetHoverAsSet() : set, state.GetEditMode());
    if (!box) {
        ShowStatusNotice("Nothing is selected or hovered to frame");
        return;
    }
    FrameBounds({box->min, box->max}, view.m_projection, view.width(), view.height());
    view.InvalidateAll();
}

void AddPlaneCommands(CommandEntries& entries) {
    entries.push_back({.id = kThreeD,
                       .menuText = "3D Mode",
                       .prompt = "Toggle 3D viewing mode",
                       .toolTip = "3D mode",
                       .keys = {QKeySequence(Qt::Key_F5)},
                       .menu = MenuPlace{MainMenu::kView, 3, 4, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintThreeD,
                       .button = ToolBarPlace{4, 1},
                       .scope = kView,
                       .run = ToggleThreeD,
                       .checked = IsThreeD});
    entries.push_back({.id = kViewXY,
                       .menuText = "XY Mode",
                       .prompt = "Select XY viewing mode",
                       .toolTip = "XY mode",
                       .keys = {QKeySequence(Qt::Key_F2)},
                       .menu = MenuPlace{MainMenu::kView, 3, 1, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintViewXY,
                       .button = ToolBarPlace{4, 2},
                       .scope = kView,
                       .run = ShowXY,
                       .checked = IsShowingXY});
    entries.push_back({.id = kViewXZ,
                       .menuText = "XZ Mode",
                       .prompt = "Select XZ viewing mode",
                       .toolTip = "XZ mode",
                       .keys = {QKeySequence(Qt::Key_F3)},
                       .menu = MenuPlace{MainMenu::kView, 3, 2, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintViewXZ,
                       .button = ToolBarPlace{4, 3},
                       .scope = kView,
                       .run = ShowXZ,
                       .checked = IsShowingXZ});
    entries.push_back({.id = kViewYZ,
                       .menuText = "YZ Mode",
                       .prompt = "Select YZ Viewing mode",
                       .toolTip = "YZ mode",
                       .keys = {QKeySequence(Qt::Key_F4)},
                       .menu = MenuPlace{MainMenu::kView, 3, 3, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintViewYZ,
                       .button = ToolBarPlace{4, 4},
                       .scope = kView,
                       .run = ShowYZ,
                       .checked = IsShowingYZ});
    entries.push_back({.id = kFlipped,
                       .menuText = "Flipped",
                       .prompt = "Toggle Flipped Horizontal Axis Mode",
                       .toolTip = "Flipped",
                       .keys = {QKeySequence(Qt::Key_F7)},
                       .menu = MenuPlace{MainMenu::kView, 3, 5, MenuBarChoice::kWithMap},
                       .icon = ToolBarIcons::PaintFlipped,
                       .button = ToolBarPlace{4, 5},
                       .scope = kView,
                       .run = ToggleFlipped,
                       .checked = IsFlipped});
}

void AddScrollCommands(CommandEntries& entries) {
    entries.push_back({.id = kScrollUp,
                       .menuText = "Scroll Up",
                       .keys = {QKeySequence(Qt::Key_Up)},
                       .scope = kView,
                       .run = ScrollViewUp});
    entries.push_back({.id = kScrollDown,
                       .menuText = "Scroll Down",
                       .keys = {QKeySequence(Qt::Key_Down)},
                       .scope = kView,
                       .run = ScrollViewDown});
    entries.push_back({.id = kScrollRight,
                       .menuText = "Scroll Right",
                       .keys = {QKeySequence(Qt::Key_Right)},
                       .scope = kView,
                       .run = ScrollViewRight});
    entries.push_back({.id = kScrollLeft,
                       .menuText = "Scroll Left",
                       .keys = {QKeySequence(Qt::Key_Left)},
                       .scope = kView,
                       .run = ScrollViewLeft});
}

// "-" and "=" are typed characters: the key with no modifier, and for "-" the
// keypad's as well. "+" zooms in like "=", with the keypad's too.
void AddZoomCommands(CommandEntries& entries) {
    entries.push_back({.id = kZoomIn,
                       .menuText = "Zoom In",
                       .prompt = "Zoom in",
                       .toolTip = "Zoom in",
                       .keys = {QKeySequence(Qt::Key_Equal), QKeySequence(Qt::Key_Plus),
                                QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)},
                       .icon = ToolBarIcons::PaintZoomIn,
                       .button = ToolBarPlace{5, 1},
                       .scope = kView,
                       .run = ZoomViewIn});
    entries.push_back(
        {.id = kZoomOut,
         .menuText = "Zoom Out",
         .prompt = "Zoom out",
         .toolTip = "Zoom out",
         .keys = {QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)},
         .icon = ToolBarIcons::PaintZoomOut,
         .button = ToolBarPlace{5, 2},
         .scope = kView,
         .run = ZoomViewOut});
    entries.push_back({.id = kActualSize,
                       .menuText = "&Actual Size",
                       .prompt = "Show one world unit per pixel",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_0)},
                       .menu = MenuPlace{MainMenu::kView, 2, 0, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ShowActualSize});
    entries.push_back({.id = kFrameMap,
                       .menuText = "&Frame Map",
                       .prompt = "Show the whole map in the view",
                       .toolTip = "Frame Map",
                       .keys = {QKeySequence(Qt::Key_Home)},
                       .menu = MenuPlace{MainMenu::kView, 2, 1, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = FrameWholeMap});
    entries.push_back({.id = kFrameSelection,
                       .menuText = "Frame &Selection",
                       .prompt = "Show the selection, or the hovered object, in the view",
                       .keys = {QKeySequence(Qt::SHIFT | Qt::Key_Home)},
                       .menu = MenuPlace{MainMenu::kView, 2, 2, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = FrameSelection});
}

} // namespace

void AddNavigationCommands(CommandEntries& entries) {
    AddPlaneCommands(entries);
    AddScrollCommands(entries);
    AddZoomCommands(entries);
}
