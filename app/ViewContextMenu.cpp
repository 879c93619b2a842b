#include "app/ViewContextMenu.h"

#include "app/CommandLayout.h"
#include "app/CommandList.h"

#include <QMenu>

#include <map>

namespace {

void AddItem(QMenu& menu, const CommandEntry& entry, const CommandContext& context,
             const std::function<void(CommandId)>& run) {
    QAction* item = menu.addAction(GetPopUpItemText(entry));
    item->setEnabled(IsCommandEnabled(entry, context));
    QObject::connect(item, &QAction::triggered, &menu, [run, id = entry.id] { run(id); });
}

} // namespace

QMenu* MakeViewContextMenu(const CommandContext& context, std::function<void(CommandId)> run,
                           QWidget* parent) {
    auto* menu = new QMenu(parent);
    std::map<QString, QMenu*> submenus;
    for (const CommandEntry* entry : MakePopUpLayout(GetCommandEntries())) {
        QMenu* target = menu;
        if (const char* title = entry->popUp->submenu) {
            QMenu*& submenu = submenus[QString::fromLatin1(title)];
            if (!submenu)
                submenu = menu->addMenu(QString::fromLatin1(title));
            target = submenu;
        }
        AddItem(*target, *entry, context, run);
    }
    return menu;
}
