#include "app/ViewLayoutSetting.h"

#include "app/AppSettings.h"

namespace {

const char* const kLayoutKey = "Views/Layout";

} // namespace

ViewLayout LoadViewLayout() {
    const QString value = OpenAppSettings().value(QLatin1String(kLayoutKey)).toString();
    return value.trimmed().compare(QLatin1String("single"), Qt::CaseInsensitive) == 0
               ? ViewLayout::kSingle
               : ViewLayout::kThree;
}

void SaveViewLayout(ViewLayout layout) {
    OpenAppSettings().setValue(QLatin1String(kLayoutKey), layout == ViewLayout::kSingle
                                                              ? QStringLiteral("single")
                                                              : QStringLiteral("three"));
}
