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
    // In a camera view, commands act through a flat view of the same map.
    if (entry.scope != CommandScope::kApplication && !context.view)
        return false;
    return !entry.enabled || entry.enabled(context);
}

bool IsCommandChecked(const CommandEntry& entry, const CommandContext& context) {
    return IsCheckable(entry) && IsCommandEnabled(entry, context) && entry.checked(context);
}
