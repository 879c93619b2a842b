#include "app/CommandTexts.h"

#include <utility>

namespace {

using enum CommandId;

const std::vector<CommandText> kCommandTexts = {
    {FileNew, "&New", "Create a new document\nNew"},
    {FileOpen, "&Open...", "Open an existing document\nOpen"},
    {FileClose, "&Close", "Close the active document\nClose"},
    {FileSave, "&Save", "Save the active document\nSave"},
    {FileSaveAs, "Save &As...", "Save the active document with a new name\nSave As"},
    {FileRecent, "Recent File", "Open this document"},
    {AppAbout, "&About Tolve...", "Show the program's name, version and notice\nAbout"},
    {AppExit, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {EditCut, "Cu&t", "Cut the selection and put it on the Clipboard\nCut"},
    {EditCopy, "&Copy", "Copy the selection and put it on the Clipboard\nCopy"},
    {EditPaste, "&Paste", "Insert the Clipboard contents\nPaste"},
    {EditUndo, "&Undo", "Undo the last action\nUndo"},
    {NextPane, "Next Pane", "Switch to the next window pane\nNext Pane"},
    {PreviousPane, "Previous Pane", "Switch back to the previous window pane\nPrevious Pane"},
    {ViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle Toolbar"},
    {ViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle Status Bar"},
    {WindowNew, "&New Window", "Open another window for the active document\nNew Window"},
    {WindowCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows"},
    {WindowTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows"},
    {WindowArrange, "&Arrange Icons", "Arrange icons at the bottom of the window\nArrange Icons"},
    {Snap, "Snap...", "Set the snap\nSnap"},
    {Textures, "Textures...", "Select texture wad\nTextures"},
    {NewBrush, "New Brush", "Insert a new brush"},
    {NewEntity, "New Entity", "Insert a new entity"},
    {Edit, "Edit", "Edit Brush/Face/Entity"},
    {SetUpperLimit, "Set Upper Limit", "Set upper left limit"},
    {SetLowerLimit, "Set Lower Limit", "Set lower right limit"},
    {SetInsertionPoint, "Set Insertion Point", "Set insertion point"},
    {Delete, "Delete", "Delete selected object"},
    {ThreeD, "3D Mode", "Toggle 3D viewing mode\n3D mode"},
    {ViewXY, "XY Mode", "Select XY viewing mode\nXY mode"},
    {ViewXZ, "XZ Mode", "Select XZ viewing mode\nXZ mode"},
    {ViewYZ, "YZ Mode", "Select YZ Viewing mode\nYZ mode"},
    {Flipped, "Flipped", "Toggle Flipped Horizontal Axis Mode\nFlipped"},
    {ScrollUp, "Scroll Up", ""},
    {ScrollDown, "Scroll Down", ""},
    {ScrollRight, "Scroll Right", ""},
    {ScrollLeft, "Scroll Left", ""},
    {ZoomIn, "Zoom In", "Zoom in\nZoom in"},
    {ZoomOut, "Zoom Out", "Zoom out\nZoom out"},
    {FrameMap, "&Frame Map", "Show the whole map in the view\nFrame Map"},
    {CornerMode, "Corner Mode", "Select corner mode\nCorner mode"},
    {FaceMode, "Face Mode", "Select face mode\nFace mode"},
    {BrushMode, "Brush Mode", "Select brush mode\nBrush mode"},
    {EntityMode, "Entity Mode", "Select entity mode\nEntity mode"},
};

// The accelerator table in its own order. "-" and "=" are typed characters:
// the key with no modifier, and for "-" the keypad's as well. The keys after
// the arrows are the editor's own: "+" zooms in like "=", with the keypad's
// too, and Home frames the map.
const std::vector<std::pair<QKeySequence, CommandId>> kAccelerators = {
    {QKeySequence(Qt::Key_Minus), ZoomOut},
    {QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), ZoomOut},
    {QKeySequence(Qt::Key_Equal), ZoomIn},
    {QKeySequence(Qt::CTRL | Qt::Key_B), NewBrush},
    {QKeySequence(Qt::CTRL | Qt::Key_C), EditCopy},
    {QKeySequence(Qt::CTRL | Qt::Key_D), Edit},
    {QKeySequence(Qt::CTRL | Qt::Key_E), NewEntity},
    {QKeySequence(Qt::CTRL | Qt::Key_I), SetInsertionPoint},
    {QKeySequence(Qt::CTRL | Qt::Key_L), SetLowerLimit},
    {QKeySequence(Qt::CTRL | Qt::Key_N), FileNew},
    {QKeySequence(Qt::CTRL | Qt::Key_O), FileOpen},
    {QKeySequence(Qt::CTRL | Qt::Key_S), FileSave},
    {QKeySequence(Qt::CTRL | Qt::Key_U), SetUpperLimit},
    {QKeySequence(Qt::CTRL | Qt::Key_V), EditPaste},
    {QKeySequence(Qt::ALT | Qt::Key_Backspace), EditUndo},
    {QKeySequence(Qt::Key_Delete), Delete},
    {QKeySequence(Qt::SHIFT | Qt::Key_Delete), EditCut},
    {QKeySequence(Qt::Key_Down), ScrollDown},
    {QKeySequence(Qt::Key_F6), NextPane},
    {QKeySequence(Qt::SHIFT | Qt::Key_F6), PreviousPane},
    {QKeySequence(Qt::CTRL | Qt::Key_Insert), EditCopy},
    {QKeySequence(Qt::SHIFT | Qt::Key_Insert), EditPaste},
    {QKeySequence(Qt::Key_Left), ScrollLeft},
    {QKeySequence(Qt::Key_Right), ScrollRight},
    {QKeySequence(Qt::Key_Up), ScrollUp},
    {QKeySequence(Qt::CTRL | Qt::Key_X), EditCut},
    {QKeySequence(Qt::CTRL | Qt::Key_Z), EditUndo},
    {QKeySequence(Qt::Key_Plus), ZoomIn},
    {QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), ZoomIn},
    {QKeySequence(Qt::Key_Home), FrameMap},
};

// The key a menu item names, where it differs from the first in the table.
const std::vector<std::pair<CommandId, QKeySequence>> kMenuKeys = {
    {EditCut, QKeySequence(Qt::CTRL | Qt::Key_X)},
    {EditUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
};

constexpr std::nullopt_t kSeparator = std::nullopt;

const std::vector<std::optional<CommandId>> kToolBar = {
    FileNew,   FileOpen,   FileSave,   kSeparator, EditCut,    EditCopy,   kSeparator,
    Snap,      Textures,   kSeparator, ThreeD,     ViewXY,     ViewXZ,     ViewYZ,
    Flipped,   kSeparator, ZoomIn,     ZoomOut,    kSeparator, CornerMode, FaceMode,
    BrushMode, EntityMode, kSeparator, AppAbout,
};

} // namespace

const std::vector<CommandText>& GetCommandTexts() {
    return kCommandTexts;
}

QString GetCommandPrompt(const CommandText& text) {
    return QString::fromLatin1(text.promptAndTip).section(QLatin1Char('\n'), 0, 0);
}

QString GetCommandToolTip(const CommandText& text) {
    QString full = QString::fromLatin1(text.promptAndTip);
    int lineFeed = full.indexOf(QLatin1Char('\n'));
    if (lineFeed >= 0)
        return full.mid(lineFeed + 1);
    return QString::fromLatin1(text.menuText).remove(QLatin1Char('&'));
}

QList<QKeySequence> GetCommandKeys(CommandId id) {
    QList<QKeySequence> keys;
    for (const auto& [command, key] : kMenuKeys) {
        if (command == id)
            keys.append(key);
    }
    for (const auto& [key, command] : kAccelerators) {
        if (command == id && !keys.contains(key))
            keys.append(key);
    }
    return keys;
}

const std::vector<std::optional<CommandId>>& GetToolBarLayout() {
    return kToolBar;
}
