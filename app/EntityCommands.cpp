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

// The entity the pointer is on when it is in the selection, else the first
// of the selection, else the one the pointer is on.
CPointEntity* FindEditedEntity(const CTolveView& view) {
    const CTolveDoc& doc = view.GetDocument();
    const CSelectionSet target = view.GetCommandTarget();
    CPointEntity* hovered = doc.GetEditorState().GetSelectedPointEntity();
    if (hovered && target.Contains(*hovered))
        return hovered;
    for (const auto& entity : doc.GetPointEntities()) {
        if (target.Contains(*entity))
            return entity.get();
    }
    return nullptr;
}

} // namespace

// Edit acts on the selection, else on what the pointer is on, as the other
// commands do; the object is taken before any dialog opens.
void EditSelection(const CommandContext& context) {
    if (EditBrushOrFace(context))
        return;
    CTolveView& view = *context.view;
    CPointEntity* entity = view.GetDocument().GetEditorState().GetEditMode() == kEntityMode
                               ? FindEditedEntity(view)
                               : nullptr;
    if (entity)
        EditPointEntity(context, *entity);
    else
        ShowStatusNotice(kNothingUnderPointer);
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
