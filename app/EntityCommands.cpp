#include "app/EntityCommands.h"

#include "app/BrushFaceCommands.h"

#include "dialogs/CEntityVariablesDlg.h"
#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/EntityFieldTransfer.h"
#include "view/CViewProjection.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <memory>

namespace {

// A new point entity at the view's cursor, snapped; "Regular" style.
void NewEntity(const CommandContext& context) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    CEntityVariablesDlg dialog(EntityKind::kPoint, doc, view.window());
    PointEntityFields fields;
    fields.style = 0;
    dialog.SetFields(fields);
    if (!RunModalDialog(dialog))
        return;
    auto entity = std::make_unique<CPointEntity>();
    StoreToEntity(dialog.GetPointFields(), *entity);
    entity->m_origin = SnapPoint(view.m_cursor, doc.GetEditorState().GetSnap());
    CMapTransaction transaction(doc, "New Entity");
    transaction.Edits().AddPointEntity(std::move(entity));
    transaction.Commit();
}

void EditPointEntity(const CommandContext& context, CPointEntity& entity) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    CEntityVariablesDlg dialog(EntityKind::kPoint, doc, view.window());
    PointEntityFields fields;
    LoadFromEntity(fields, entity);
    dialog.SetFields(fields);
    if (!RunModalDialog(dialog))
        return;
    CPointEntity keys = entity;
    StoreToEntity(dialog.GetPointFields(), keys);
    CMapTransaction transaction(doc, "Entity Keys");
    transaction.Edits().SetPointEntityKeys(entity, keys);
    transaction.Commit();
}

} // namespace

void EditSelection(const CommandContext& context) {
    CTolveView& view = *context.view;
    if (!IsHoverShown(view.GetDocument(), view.m_projection, view.width(), view.height())) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    if (EditBrushOrFace(context))
        return;
    CTolveDoc& doc = context.view->GetDocument();
    const CEditorState& state = doc.GetEditorState();
    if (state.GetEditMode() == EditMode::kEntityMode && state.GetSelectedPointEntity())
        EditPointEntity(context, *state.GetSelectedPointEntity());
}

void AddEntityCommands(CommandEntries& entries) {
    using enum CommandId;
    using enum CommandScope;
    entries.push_back({.id = kNewEntity,
                       .menuText = "New Entity",
                       .prompt = "Insert a new entity",
                       .keys = {QKeySequence(Qt::CTRL | Qt::Key_E)},
                       .popUp = PopUpPlace{.submenu = "New", .text = "Entity", .order = 2},
                       .scope = kView,
                       .run = ::NewEntity});
}
