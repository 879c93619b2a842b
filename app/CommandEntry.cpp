#include "app/CommandEntry.h"

QString GetCommandPrompt(const CommandEntry& entry) {
    return QString::fromLatin1(entry.prompt);
}

QString GetCommandToolTip(const CommandEntry& entry) {
    if (entry.toolTip)
        return QString::fromLatin1(entry.toolTip);
    return QString::fromLatin1(entry.menuText).remove(QLatin1Char('&'));
}

bool IsCommandEnabled(const CommandEntry& entry, const CommandContext& context) {
    if (!entry.run)
        return false;
    if (entry.scope != CommandScope::kApplication && !context.view)
        return false;
    return !entry.enabled || entry.enabled(context);
}

bool IsCommandChecked(const CommandEntry& entry, const CommandContext& context) {
    return IsCheckable(entry) && IsCommandEnabled(entry, context) && entry.checked(context);
}
