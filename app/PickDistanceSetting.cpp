#include "app/PickDistanceSetting.h"

#include "app/AppSettings.h"
#include "app/CDocManager.h"
#include "dialogs/CNumberDlg.h"
#include "framework/FieldMessages.h"
#include "widgets/CTolveView.h"

namespace {

const char* const kPickDistanceKey = "Selection/PickDistance";
constexpr int32_t kMaxPickDistance = 10000;

std::optional<std::string> FindPickDistanceProblem(const std::string& text) {
    const std::optional<int32_t> value = ParseWholeInteger(text);
    if (!value || *value < 0 || *value > kMaxPickDistance)
        return DescribeIntegerRange(0, kMaxPickDistance);
    return std::nullopt;
}

// Every open map follows the one setting.
void ChoosePickDistance(const CommandContext& context) {
    CNumberDlg dialog("Pick Distance", QStringLiteral("Pick distance (pixels, 0 = unlimited):"),
                      FindPickDistanceProblem, context.view->window());
    dialog.SetText(std::to_string(LoadPickDistance()));
    if (!RunModalDialog(dialog))
        return;
    const int32_t pixels = *ParseWholeInteger(dialog.GetText());
    OpenAppSettings().setValue(QLatin1String(kPickDistanceKey), pixels);
    context.view->GetDocument().GetEditorState().SetPickDistance(pixels);
    if (context.docs) {
        for (const auto& doc : context.docs->GetDocuments())
            doc->GetEditorState().SetPickDistance(pixels);
    }
}

} // namespace

int32_t LoadPickDistance() {
    bool valid = false;
    const int pixels = OpenAppSettings().value(QLatin1String(kPickDistanceKey)).toInt(&valid);
    return valid && pixels > 0 && pixels <= kMaxPickDistance ? pixels : 0;
}

void AddPickDistanceCommand(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kPickDistance,
                       .menuText = "Pick &Distance...",
                       .prompt = "How far from the pointer an object may be to be picked",
                       .menu = MenuPlace{MainMenu::kView, 2, 4, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ChoosePickDistance});
}
