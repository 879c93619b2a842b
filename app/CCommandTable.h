#pragma once

#include "view/TolveCommands.h"

#include <QObject>

#include <map>

class QAction;
class QWidget;
class CTolveView;

// What decides whether a command can run right now.
struct CommandContext {
    CTolveView* activeView = nullptr; // the view of the active child window
    bool toolBarShown = true;
    bool statusBarShown = true;
};

// One action per command, carrying its texts and keys. The actions live on the
// main window, so their keys work wherever the focus is inside it, the map
// view included. Triggering one reports its command id.
class CCommandTable : public QObject {
    Q_OBJECT

public:
    explicit CCommandTable(QWidget& window);

    QAction* GetAction(CommandId id) const;

    // Enables and checks every action the way the commands' owners say: the
    // active view for its own commands, the frame and the application for the
    // rest. A command nobody handles is disabled.
    void RefreshStates(const CommandContext& context);

signals:
    void CommandTriggered(CommandId id);

private:
    QAction* MakeAction(QWidget& window, CommandId id);

    std::map<CommandId, QAction*> m_actions;
};
