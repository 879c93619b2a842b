#pragma once

#include "app/CommandEntry.h"

#include <QObject>

#include <map>

class QAction;
class QWidget;

// One action per command entry, carrying its texts and keys. The actions live
// on the main window, so their keys work wherever the focus is inside it, the
// map view included. Triggering one reports its command id.
class CCommandTable : public QObject {
    Q_OBJECT

public:
    explicit CCommandTable(QWidget& window);

    QAction* GetAction(CommandId id) const;

    // Enables and checks every action as its entry says for the context.
    void RefreshStates(const CommandContext& context);

signals:
    void CommandTriggered(CommandId id);

private:
    void MakeAction(QWidget& window, const CommandEntry& entry);

    std::map<CommandId, QAction*> m_actions;
};
