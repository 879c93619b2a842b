#include "app/CommandEntry.h"

QString GetCommandPrompt(const CommandEntry& entry) {
    return QString::fromUtf8(entry.prompt);
}

QString GetCommandToolTip(const CommandEntry& entry) {
    if (entry.toolTip)
        return QString::fromUtf8(entry.toolTip);
    return QString::fromUtf8(entry.menuText).remove(QLatin1Char('&'));
}

bool IsCommandEnabled(const CommandEntry& entry, const CommandContext& context) {
    if (!entry.run)
        return false;
    // A map's commands also run from its camera view; a view's need a flat
    // view to act through.
    if (entry.scope == CommandScope::kDocument && !context.view && !context.camera)
        return false;
    if (entry.scope == CommandScope::kView && !context.view)
        return false;
    return !entry.enabled || entry.enabled(context);
}

bool IsCommandChecked(const CommandEntry& entry, const CommandContext& context) {
    return IsCheckable(entry) && IsCommandEnabled(entry, context) && entry.checked(context);
}
