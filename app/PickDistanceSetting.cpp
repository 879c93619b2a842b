#include "app/PickDistanceSetting.h"

#include "app/AppSettings.h"
#include "app/OpenMapSettings.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/PreferenceValues.h"
#include "framework/FieldMessages.h"
#include "widgets/CTolveView.h"

namespace {

const char* const kPickDistanceKey = "Selection/PickDistance";

std::optional<std::string> FindPickDistanceProblem(const std::string& text) {
    const std::optional<int32_t> value = ParseWholeInteger(text);
    if (!value || *value < 0 || *value > kMaxPickDistance)
        return DescribeIntegerRange(0, kMaxPickDistance);
    return std::nullopt;
}

void ChoosePickDistance(const CommandContext& context) {
    CNumberDlg dialog("Pick Distance", QStringLiteral("Pick distance (pixels, 0 = unlimited):"),
                      FindPickDistanceProblem, context.view->window());
    dialog.SetText(std::to_string(LoadPickDistance()));
    if (!RunModalDialog(dialog))
        return;
    StorePickDistance(*ParseWholeInteger(dialog.GetText()));
    ApplySettingsToOpenMaps(context);
}

} // namespace

int32_t LoadPickDistance() {
    bool valid = false;
    const int pixels = OpenAppSettings().value(QLatin1String(kPickDistanceKey)).toInt(&valid);
    return valid && pixels > 0 && pixels <= kMaxPickDistance ? pixels : 0;
}

void StorePickDistance(int32_t pixels) {
    OpenAppSettings().setValue(QLatin1String(kPickDistanceKey), pixels);
}

void AddPickDistanceCommand(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kPickDistance,
                       .menuText = "Pick &Distance...",
                       .prompt = "How far from the pointer an object may be to be picked",
                       .menu = MenuPlace{MainMenu::kView, 2, 4, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ChoosePickDistance});
}
