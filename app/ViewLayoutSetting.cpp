#include "app/ViewLayoutSetting.h"

#include "app/AppSettings.h"

namespace {

const char* const kLayoutKey = "Views/Layout";

struct LayoutName {
    ViewLayout layout;
    const char* name;
};
constexpr LayoutName kLayoutNames[] = {
    {ViewLayout::kFour, "four"}, {ViewLayout::kThree, "three"}, {ViewLayout::kSingle, "single"}};

} // namespace

ViewLayout LoadViewLayout() {
    const QString value = OpenAppSettings().value(QLatin1String(kLayoutKey)).toString().trimmed();
    for (const LayoutName& entry : kLayoutNames) {
        if (value.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.layout;
    }
    return ViewLayout::kFour;
}

void SaveViewLayout(ViewLayout layout) {
    for (const LayoutName& entry : kLayoutNames) {
        if (entry.layout == layout)
            OpenAppSettings().setValue(QLatin1String(kLayoutKey), QLatin1String(entry.name));
    }
}
