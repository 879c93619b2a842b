#include "app/KeepLayoutSetting.h"

#include "app/AppSettings.h"

bool LoadKeepLayoutSetting() {
    return OpenAppSettings().value(QStringLiteral("Save/KeepLayout"), true).toBool();
}
