#include "app/CCommandTable.h"

#include "app/CommandList.h"

#include <QAction>
#include <QWidget>

CCommandTable::CCommandTable(QWidget& window) : QObject(&window) {
    for (const CommandEntry& entry : GetCommandEntries())
        MakeAction(window, entry);
}

void CCommandTable::MakeAction(QWidget& window, const CommandEntry& entry) {
    auto* action = new QAction(this);
    action->setText(QString::fromUtf8(entry.menuText));
    action->setStatusTip(GetCommandPrompt(entry));
    action->setToolTip(GetCommandToolTip(entry));
    action->setShortcuts(QList<QKeySequence>(entry.keys.begin(), entry.keys.end()));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(IsCheckable(entry));
    // The action sets no check mark of its own; the entry decides.
    const CommandId id = entry.id;
    connect(action, &QAction::triggered, this, [this, action, id] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        emit CommandTriggered(id);
    });
    window.addAction(action);
    m_actions[id] = action;
}

QAction* CCommandTable::GetAction(CommandId id) const {
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CCommandTable::RefreshStates(const CommandContext& context) {
    for (const CommandEntry& entry : GetCommandEntries()) {
        QAction* action = GetAction(entry.id);
        action->setEnabled(IsCommandEnabled(entry, context));
        if (entry.label)
            action->setText(entry.label(context));
        if (action->isCheckable())
            action->setChecked(IsCommandChecked(entry, context));
    }
}
