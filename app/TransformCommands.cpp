#include "app/TransformCommands.h"

#include "dialogs/CTransformDlg.h"
#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/TransformEdits.h"
#include "widgets/CTolveView.h"

#include <string>

namespace {

constexpr const char* kTransformName = "Transform";

CTolveDoc& Doc(const CommandContext& c) {
    return c.view->GetDocument();
}

bool InBrushMode(const CommandContext& c) {
    return Doc(c).GetEditorState().GetEditMode() == ::kBrushMode;
}

bool HasSelectionInBrushMode(const CommandContext& c) {
    return InBrushMode(c) && !Doc(c).GetEditorState().GetSelectionSet().IsEmpty();
}

void TellDecimals(size_t brushes) {
    if (brushes == 0)
        return;
    ShowStatusNotice(std::string(kTransformName) + ": " + std::to_string(brushes) +
                     (brushes == 1 ? " brush now keeps" : " brushes now keep") +
                     " plane points with decimals");
}

void Transform(const CommandContext& c) {
    if (!InBrushMode(c))
        return;
    CTolveDoc& doc = Doc(c);
    const CSelectionSet set = doc.GetEditorState().GetSelectionSet();
    const std::optional<Vec3d> centre = CentreOfSet(set, ::kBrushMode);
    if (!centre) {
        ShowStatusNotice(std::string(kTransformName) + ": nothing selected");
        return;
    }
    CTransformDlg dialog(doc.m_textureLock, c.view->window());
    if (!RunModalDialog(dialog))
        return;
    const BrushTransform transform = MakeTransform(dialog.GetFields(), *centre);
    const std::vector<TransformedBrush> transformed = TransformBrushesOfSet(doc, set, transform);
    if (const std::string refusal = DescribeTransformRefusal(doc, transformed); !refusal.empty()) {
        ShowMessageBox(kTransformName, refusal, MessageIcon::kWarning);
        return;
    }
    CMapTransaction transaction(doc, kTransformName);
    const size_t withDecimals = ApplyTransform(transaction.Edits(), set, transformed, transform);
    transaction.Commit();
    TellDecimals(withDecimals);
}

} // namespace

void AddTransformCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kTransform,
                       .menuText = "Tra&nsform...",
                       .prompt = "Move, turn and scale the selection by typed amounts",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_M)},
                       .menu = MenuPlace{MainMenu::kEdit, 6, 6, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = Transform,
                       .enabled = HasSelectionInBrushMode});
}
