#include "app/OwnerCommands.h"

#include "dialogs/CEntityChoiceDlg.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/EntityFieldTransfer.h"
#include "map/ObjectBounds.h"
#include "map/SelectionSetEdits.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using enum CommandScope;

bool CanMoveBrushes(const CommandContext& c) {
    return c.view->GetDocument().GetEditorState().GetEditMode() == kBrushMode &&
           c.view->HasCommandTarget();
}

CSelectionSet TargetBrushes(const CommandContext& c) {
    if (c.view->GetDocument().GetEditorState().GetEditMode() != kBrushMode)
        return CSelectionSet();
    CSelectionSet brushes = c.view->GetCommandTarget();
    if (brushes.IsEmpty())
        ShowStatusNotice(kNothingUnderPointer);
    return brushes;
}

// What tells one entity from others of its class: its name, and where its
// brushes are ("func_wall \"gate\" (2 brushes around 128 64 0)").
std::string DescribeEntity(const CModelEntity& entity) {
    const size_t count = entity.m_brushes.size();
    std::string text = entity.m_classname;
    if (!entity.m_targetname.empty())
        text += " \"" + entity.m_targetname + "\"";
    text += " (" + std::to_string(count) + (count == 1 ? " brush" : " brushes");
    std::optional<IntBox> box;
    for (const auto& brush : entity.m_brushes)
        Grow(box, BoundsOf(*brush));
    if (box) {
        const int64_t x = (int64_t{box->min.x} + box->max.x) / 2;
        const int64_t y = (int64_t{box->min.y} + box->max.y) / 2;
        const int64_t z = (int64_t{box->min.z} + box->max.z) / 2;
        text += " around " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z);
    }
    return text + ")";
}

// A new brush entity from the brush entity dialog, inside the transaction;
// none after Cancel.
CModelEntity* AddNewEntity(const CommandContext& c, CMapTransaction& transaction) {
    CTolveDoc& doc = c.view->GetDocument();
    CEntityVariablesDlg dialog(EntityKind::kBrush, doc, c.view->window());
    dialog.SetFields(ModelEntityFields{});
    if (!RunModalDialog(dialog))
        return nullptr;
    auto entity = std::make_unique<CModelEntity>();
    StoreToEntity(dialog.GetBrushFields(), *entity);
    return &transaction.Edits().AddModelEntity(std::move(entity));
}

void MoveToEntity(const CommandContext& c) {
    const CSelectionSet brushes = TargetBrushes(c);
    if (brushes.IsEmpty())
        return;
    CTolveDoc& doc = c.view->GetDocument();
    std::vector<std::string> names;
    for (const auto& entity : doc.GetModelEntities())
        names.push_back(DescribeEntity(*entity));
    CEntityChoiceDlg chooser(names, c.view->window());
    if (!RunModalDialog(chooser))
        return;
    CMapTransaction transaction(doc, "Move to Entity");
    CModelEntity* owner = nullptr;
    if (chooser.GetChoice() == CEntityChoiceDlg::kNewEntity)
        owner = AddNewEntity(c, transaction);
    else if (static_cast<size_t>(chooser.GetChoice()) < doc.GetModelEntities().size())
        owner = doc.GetModelEntities()[static_cast<size_t>(chooser.GetChoice())].get();
    if (!owner)
        return; // the entity dialog was cancelled
    MoveBrushesToOwner(transaction.Edits(), doc, brushes, owner);
    transaction.Commit();
}

void MoveToWorld(const CommandContext& c) {
    const CSelectionSet brushes = TargetBrushes(c);
    if (brushes.IsEmpty())
        return;
    CTolveDoc& doc = c.view->GetDocument();
    CMapTransaction transaction(doc, "Move to World");
    MoveBrushesToOwner(transaction.Edits(), doc, brushes, nullptr);
    transaction.Commit();
}

} // namespace

void AddOwnerCommands(CommandEntries& entries) {
    using enum CommandId;
    entries.push_back({.id = kMoveToEntity,
                       .menuText = "Move to &Entity...",
                       .prompt = "Make the selected brushes a new brush entity, or add them to one",
                       .menu = MenuPlace{MainMenu::kEdit, 7, 1, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = MoveToEntity,
                       .enabled = CanMoveBrushes});
    entries.push_back({.id = kMoveToWorld,
                       .menuText = "Move to &World",
                       .prompt = "Give the selected brushes back to the world",
                       .menu = MenuPlace{MainMenu::kEdit, 7, 2, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = MoveToWorld,
                       .enabled = CanMoveBrushes});
}
