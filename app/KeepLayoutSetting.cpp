#include "app/KeepLayoutSetting.h"

#include "app/AppSettings.h"

namespace {

const char* const kKeepLayoutKey = "Save/KeepLayout";

} // namespace

bool LoadKeepLayoutSetting() {
    return OpenAppSettings().value(QLatin1String(kKeepLayoutKey), true).toBool();
}

void StoreKeepLayoutSetting(bool keep) {
    OpenAppSettings().setValue(QLatin1String(kKeepLayoutKey), keep);
}
