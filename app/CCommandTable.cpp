#include "app/CCommandTable.h"

#include "app/CommandTexts.h"
#include "view/CTolveView.h"

#include <QAction>
#include <QWidget>

namespace {

using enum CommandId;

// Commands of the application and the frame that can always run.
bool IsAlwaysEnabled(CommandId id) {
    switch (id) {
    case FileNew:
    case FileOpen:
    case AppExit:
    case AppAbout:
    case ViewToolbar:
    case ViewStatusBar:
    case WindowCascade:
    case WindowTile:
    case WindowArrange:
        return true;
    default:
        return false;
    }
}

// Commands on the active document, handled by the frame.
bool NeedsDocument(CommandId id) {
    return id == FileClose || id == FileSave || id == FileSaveAs || id == WindowNew;
}

bool IsCheckable(CommandId id) {
    switch (id) {
    case ViewToolbar:
    case ViewStatusBar:
    case ThreeD:
    case ViewXY:
    case ViewXZ:
    case ViewYZ:
    case Flipped:
    case CornerMode:
    case FaceMode:
    case BrushMode:
    case EntityMode:
        return true;
    default:
        return false;
    }
}

} // namespace

CCommandTable::CCommandTable(QWidget& window) : QObject(&window) {
    for (const CommandText& text : GetCommandTexts()) {
        QAction* action = MakeAction(window, text.id);
        action->setText(QString::fromLatin1(text.menuText));
        action->setStatusTip(GetCommandPrompt(text));
        action->setToolTip(GetCommandToolTip(text));
    }
}

QAction* CCommandTable::MakeAction(QWidget& window, CommandId id) {
    auto* action = new QAction(this);
    action->setShortcuts(GetCommandKeys(id));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(IsCheckable(id));
    // The action sets no check mark of its own; the command's owner decides.
    connect(action, &QAction::triggered, this, [this, action, id] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        emit CommandTriggered(id);
    });
    window.addAction(action);
    m_actions[id] = action;
    return action;
}

QAction* CCommandTable::GetAction(CommandId id) const {
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CCommandTable::RefreshStates(const CommandContext& context) {
    CTolveView* view = context.activeView;
    for (auto& [id, action] : m_actions) {
        bool enabled = false;
        bool checked = false;
        if (id == ViewToolbar) {
            enabled = true;
            checked = context.toolBarShown;
        } else if (id == ViewStatusBar) {
            enabled = true;
            checked = context.statusBarShown;
        } else if (IsAlwaysEnabled(id)) {
            enabled = true;
        } else if (NeedsDocument(id)) {
            enabled = view != nullptr;
        } else if (view) {
            enabled = view->IsCommandHandled(id);
            checked = view->IsCommandChecked(id).value_or(false);
        }
        action->setEnabled(enabled);
        if (action->isCheckable())
            action->setChecked(checked);
    }
}
