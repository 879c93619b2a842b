#include "app/GridCommands.h"

#include "app/AppSettings.h"
#include "app/CChildFrame.h"
#include "app/CDocManager.h"
#include "app/OpenMapSettings.h"
#include "map/SnapFields.h"
#include "widgets/CTolveView.h"

#include <QColor>

#include <algorithm>

namespace {

using enum CommandScope;

const char* const kGridKey = "View/Grid";
const char* const kGridColourKey = "View/GridColour";

void ToggleGrid(const CommandContext& context) {
    StoreGridSetting(!context.view->IsGridShown());
    ApplySettingsToOpenMaps(context);
}

bool IsGridShown(const CommandContext& context) {
    return context.view->IsGridShown();
}

// Halves or doubles the snap step within the bounds the Snap dialog takes.
template <bool Finer> void ChangeSnap(const CommandContext& context) {
    CEditorState& state = context.view->GetDocument().GetEditorState();
    const int snap = Finer ? state.GetSnap() / 2 : state.GetSnap() * 2;
    state.SetSnap(static_cast<int16_t>(std::clamp(snap, kMinSnap, kMaxSnap)));
}

} // namespace

bool LoadGridSetting() {
    return OpenAppSettings().value(QLatin1String(kGridKey), true).toBool();
}

void StoreGridSetting(bool shown) {
    OpenAppSettings().setValue(QLatin1String(kGridKey), shown);
}

Rgb LoadGridColour() {
    const QColor colour(OpenAppSettings().value(QLatin1String(kGridColourKey)).toString());
    if (!colour.isValid())
        return kGridMinor;
    return {static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
            static_cast<uint8_t>(colour.blue())};
}

void StoreGridColour(Rgb colour) {
    OpenAppSettings().setValue(QLatin1String(kGridColourKey),
                               QColor(colour.r, colour.g, colour.b).name());
}

void AddGridCommands(CommandEntries& entries) {
    using enum CommandId;
    entries.push_back({.id = kGrid,
                       .menuText = "&Grid",
                       .prompt = "Show or hide the grid at the snap step",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_G)},
                       .menu = MenuPlace{MainMenu::kView, 4, 1, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ToggleGrid,
                       .checked = IsGridShown});
    entries.push_back({.id = kSnapFiner,
                       .menuText = "&Finer Snap",
                       .prompt = "Halve the snap step",
                       .keys = {QKeySequence(Qt::Key_BracketLeft)},
                       .menu = MenuPlace{MainMenu::kView, 4, 3, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ChangeSnap<true>});
    entries.push_back({.id = kSnapCoarser,
                       .menuText = "C&oarser Snap",
                       .prompt = "Double the snap step",
                       .keys = {QKeySequence(Qt::Key_BracketRight)},
                       .menu = MenuPlace{MainMenu::kView, 4, 4, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ChangeSnap<false>});
}
