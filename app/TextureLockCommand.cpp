#include "app/TextureLockCommand.h"

#include "app/AppSettings.h"
#include "app/OpenMapSettings.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

namespace {

const char* const kTextureLockKey = "Edit/TextureLock";

void ToggleTextureLock(const CommandContext& context) {
    StoreTextureLockSetting(!context.view->GetDocument().m_textureLock);
    ApplySettingsToOpenMaps(context);
}

bool IsTextureLocked(const CommandContext& context) {
    return context.view->GetDocument().m_textureLock;
}

} // namespace

bool LoadTextureLockSetting() {
    return OpenAppSettings().value(QLatin1String(kTextureLockKey), true).toBool();
}

void StoreTextureLockSetting(bool locked) {
    OpenAppSettings().setValue(QLatin1String(kTextureLockKey), locked);
}

void AddTextureLockCommand(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kTextureLock,
                       .menuText = "Texture &Lock",
                       .prompt = "Keep the textures of Valve faces in place when brushes move",
                       .toolTip = "Texture lock",
                       .menu = MenuPlace{MainMenu::kEdit, 3, 1, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ToggleTextureLock,
                       .checked = IsTextureLocked});
}
