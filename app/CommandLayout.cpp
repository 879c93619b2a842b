#include "app/CommandLayout.h"

namespace {

using enum CommandId;

constexpr MenuItem kSeparator{MenuItem::Separator};
constexpr MenuItem kRecentFiles{MenuItem::RecentFiles};

constexpr MenuItem Item(CommandId id) {
    return {MenuItem::Command, id};
}

const std::vector<MenuLayout> kNoMapMenus = {
    {"&File", {Item(FileNew), Item(FileOpen), kRecentFiles, Item(AppExit)}},
    {"&View", {Item(ViewToolbar), Item(ViewStatusBar)}},
    {"&Help", {Item(AppAbout)}},
};

const std::vector<MenuLayout> kMapMenus = {
    {"&File",
     {Item(FileNew), Item(FileOpen), Item(FileClose), Item(FileSave), Item(FileSaveAs),
      kRecentFiles, Item(AppExit)}},
    {"&Edit",
     {Item(EditUndo), Item(EditRedo), kSeparator, Item(EditCut), Item(EditCopy), Item(EditPaste),
      kSeparator, Item(TextureLock)}},
    {"&View", {Item(ViewToolbar), Item(ViewStatusBar), kSeparator, Item(FrameMap)}},
    {"&Window",
     {Item(WindowNew), Item(WindowCascade), Item(WindowTile), Item(WindowArrange)},
     true},
    {"&Help", {Item(AppAbout)}},
};

constexpr std::nullopt_t kButtonGap = std::nullopt;

const std::vector<std::optional<CommandId>> kToolBar = {
    FileNew,   FileOpen,   FileSave,   kButtonGap, EditCut,    EditCopy,   kButtonGap,
    Snap,      Textures,   kButtonGap, ThreeD,     ViewXY,     ViewXZ,     ViewYZ,
    Flipped,   kButtonGap, ZoomIn,     ZoomOut,    kButtonGap, CornerMode, FaceMode,
    BrushMode, EntityMode, kButtonGap, AppAbout,
};

} // namespace

const std::vector<MenuLayout>& GetNoMapMenuLayout() {
    return kNoMapMenus;
}

const std::vector<MenuLayout>& GetMapMenuLayout() {
    return kMapMenus;
}

const std::vector<std::optional<CommandId>>& GetToolBarLayout() {
    return kToolBar;
}
