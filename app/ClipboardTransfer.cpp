#include "app/ClipboardTransfer.h"

#include "app/UndoCommands.h"
#include "map/CMapTransaction.h"

#include "app/DeleteCommands.h"
#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/CMapWriter.h"
#include "map/FragmentPlacement.h"
#include "map/PastedMapText.h"
#include "map/SelectionSetEdits.h"
#include "view/CommandTarget.h"
#include "view/PasteOffset.h"
#include "widgets/CTolveView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <optional>
#include <string>

namespace {

constexpr const char* kPasteTitle = "Paste";

// False, with a message, when the objects cannot be written as map text.
bool PutObjectsOnClipboard(const CTolveDoc& doc, const CSelectionSet& objects) {
    const MapFragment fragment = FragmentOfSet(doc, objects, doc.GetEditorState().GetEditMode());
    const MapContents contents = ContentsOf(fragment);
    if (std::optional<std::string> why = CMapWriter::FindUnwritableText(contents)) {
        ShowMessageBox("Copy", *why, MessageIcon::kError);
        return false;
    }
    const std::string text = CMapWriter::WriteText(contents);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    return true;
}

std::string ClipboardText() {
    return QGuiApplication::clipboard()->text().toUtf8().toStdString();
}

// Cut takes what it copies out of the map: brushes or point entities.
bool ModeCanDelete(const CommandContext& context) {
    const EditMode mode = context.view->GetDocument().GetEditorState().GetEditMode();
    return mode == kBrushMode || mode == kEntityMode;
}

} // namespace

bool CanCopySelection(const CommandContext& context) {
    return context.view && context.view->HasCommandTarget();
}

bool CanCutSelection(const CommandContext& context) {
    return CanCopySelection(context) && ModeCanDelete(context);
}

QString CopyLabel(const CommandContext& context) {
    return context.view && !CanCopySelection(context) ? "&Copy (nothing selected)" : "&Copy";
}

QString CutLabel(const CommandContext& context) {
    if (!context.view || CanCutSelection(context))
        return "Cu&t";
    return ModeCanDelete(context) ? "Cu&t (nothing selected)" : "Cu&t (brushes or entities only)";
}

bool CanPasteClipboard(const CommandContext& context) {
    return context.view && !QGuiApplication::clipboard()->text().isEmpty();
}

void CopySelection(const CommandContext& context) {
    if (!context.view)
        return;
    const CSelectionSet objects = context.view->GetCommandTarget();
    if (objects.IsEmpty())
        ShowStatusNotice(kNothingUnderPointer);
    else
        PutObjectsOnClipboard(context.view->GetDocument(), objects);
}

void CutSelection(const CommandContext& context) {
    if (!context.view || !ModeCanDelete(context))
        return;
    CTolveDoc& doc = context.view->GetDocument();
    const CSelectionSet objects = context.view->GetCommandTarget();
    if (objects.IsEmpty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    if (!PutObjectsOnClipboard(doc, objects))
        return;
    CMapTransaction transaction(doc, "Cut");
    DeleteObjects(transaction, objects);
    transaction.Commit();
}

void PasteClipboard(const CommandContext& context) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    PastedMapText pasted = ReadPastedMapText(ClipboardText(), doc.m_mapFormat);
    if (pasted.problem) {
        ShowMessageBox(kPasteTitle, *pasted.problem, MessageIcon::kWarning);
        return;
    }
    if (std::optional<IntBox> box = BoundsOf(pasted.fragment)) {
        MoveFragment(pasted.fragment,
                     PasteOffset(*box, view.m_cursor, view.m_projection.m_viewMode,
                                 doc.GetEditorState().GetSnap()),
                     doc.m_textureLock);
    }
    // The whole paste is one step of the map's history.
    CMapTransaction transaction(doc, "Paste");
    CEditorState& state = doc.GetEditorState();
    CSelectionSet added =
        AddFragmentAsSet(transaction.Edits(), doc, std::move(pasted.fragment), state.GetEditMode());
    transaction.Commit();
    // What came in is what the next command takes, as after Duplicate.
    if (!added.IsEmpty())
        state.SetSelectionSet(std::move(added));
}
