#include "app/HideCommands.h"

#include "app/CMainFrame.h"
#include "framework/CStatusNotice.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <string>

namespace {

using enum CommandScope;

CTolveDoc& Doc(const CommandContext& c) {
    return c.view->GetDocument();
}

std::string CountOfObjects(size_t count) {
    return std::to_string(count) + (count == 1 ? " object" : " objects");
}

void SayHowManyHidden(const CTolveDoc& doc) {
    ShowStatusNotice(CountOfObjects(doc.GetEditorState().GetHidden().Count()) + " hidden");
}

// Every brush and point entity of the map that `kept` holds nothing of.
CSelectionSet ObjectsOutside(const CTolveDoc& doc, const CSelectionSet& kept) {
    CSelectionSet others;
    auto offer = [&](const BrushList& brushes) {
        for (const auto& brush : brushes) {
            if (!kept.Contains(*brush))
                others.Add(*brush, CSelectionSet::kWholeBrush);
        }
    };
    offer(doc.GetWorldBrushes());
    for (const auto& entity : doc.GetModelEntities())
        offer(entity->m_brushes);
    for (const auto& entity : doc.GetPointEntities()) {
        if (!kept.Contains(*entity))
            others.Add(*entity);
    }
    return others;
}

void HideSelection(const CommandContext& c) {
    const CSelectionSet objects = c.view->GetCommandTarget();
    if (objects.IsEmpty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    Doc(c).GetEditorState().Hide(objects);
    SayHowManyHidden(Doc(c));
}

void IsolateSelection(const CommandContext& c) {
    const CSelectionSet kept = c.view->GetCommandTarget();
    if (kept.IsEmpty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    CTolveDoc& doc = Doc(c);
    doc.GetEditorState().Hide(ObjectsOutside(doc, kept));
    SayHowManyHidden(doc);
}

void ShowAll(const CommandContext& c) {
    const size_t shown = Doc(c).GetEditorState().ShowAll();
    ShowStatusNotice(shown == 0 ? std::string("Nothing is hidden")
                                : "Showed " + CountOfObjects(shown) + " again");
}

void ShowLayers(const CommandContext& c) {
    c.frame->ShowLayers();
}

bool HasHiddenObjects(const CommandContext& c) {
    return !Doc(c).GetEditorState().GetHidden().IsEmpty();
}

bool HasCommandTarget(const CommandContext& c) {
    return c.view->HasCommandTarget();
}

MenuPlace ViewMenu(int order) {
    return MenuPlace{MainMenu::kView, 7, order, MenuBarChoice::kWithMap};
}

} // namespace

void AddHideCommands(CommandEntries& entries) {
    using enum CommandId;
    entries.push_back({.id = kHideSelection,
                       .menuText = "&Hide Selection",
                       .prompt = "Put the selection out of sight until Show All; the map "
                                 "keeps it",
                       .keys = {QKeySequence(Qt::Key_H)},
                       .menu = ViewMenu(1),
                       .scope = kView,
                       .run = HideSelection,
                       .enabled = HasCommandTarget});
    entries.push_back({.id = kIsolateSelection,
                       .menuText = "Isolate Sele&ction",
                       .prompt = "Hide everything but the selection",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
                       .menu = ViewMenu(2),
                       .scope = kView,
                       .run = IsolateSelection,
                       .enabled = HasCommandTarget});
    entries.push_back({.id = kShowAll,
                       .menuText = "Sho&w All",
                       .prompt = "Show every hidden object again",
                       .keys = {QKeySequence(Qt::SHIFT | Qt::Key_H)},
                       .menu = ViewMenu(3),
                       .scope = kView,
                       .run = ShowAll,
                       .enabled = HasHiddenObjects});
    entries.push_back({.id = kLayers,
                       .menuText = "La&yers",
                       .prompt = "List the map's layers, to show, hide or lock each",
                       .menu = ViewMenu(4),
                       .scope = CommandScope::kDocument,
                       .run = ShowLayers});
}
