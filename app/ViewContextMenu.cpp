#include "app/ViewContextMenu.h"

#include "app/CommandList.h"

#include <QMenu>

namespace {

void AddItem(QMenu& menu, const char* text, CommandId id, const CommandContext& context,
             const std::function<void(CommandId)>& run) {
    QAction* item = menu.addAction(QString::fromUtf8(text));
    const CommandEntry* entry = FindCommandEntry(id);
    item->setEnabled(entry && IsCommandEnabled(*entry, context));
    QObject::connect(item, &QAction::triggered, &menu, [run, id] { run(id); });
}

} // namespace

QMenu* MakeViewContextMenu(const CommandContext& context, std::function<void(CommandId)> run,
                           QWidget* parent) {
    using enum CommandId;
    auto* menu = new QMenu(parent);
    QMenu* newMenu = menu->addMenu(QStringLiteral("New"));
    AddItem(*newMenu, "Brush\tCtrl+B", NewBrush, context, run);
    AddItem(*newMenu, "Entity\tCtrl+E", NewEntity, context, run);
    AddItem(*menu, "Edit\tCtrl+D", Edit, context, run);
    QMenu* setMenu = menu->addMenu(QStringLiteral("Set"));
    AddItem(*setMenu, "Upper limit\tCtrl+U", SetUpperLimit, context, run);
    AddItem(*setMenu, "Lower limit\tCtrl+L", SetLowerLimit, context, run);
    AddItem(*setMenu, "Insertion point\tCtrl+I", SetInsertionPoint, context, run);
    AddItem(*menu, "Delete\tDel", Delete, context, run);
    return menu;
}
