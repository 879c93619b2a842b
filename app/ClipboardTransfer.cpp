#include "app/ClipboardTransfer.h"

#include "app/UndoCommands.h"
#include "map/CMapTransaction.h"

#include "app/DeleteCommands.h"
#include "framework/CMessageService.h"
#include "map/CMapWriter.h"
#include "map/FragmentPlacement.h"
#include "map/PastedMapText.h"
#include "map/SelectionFragment.h"
#include "view/PasteOffset.h"
#include "widgets/CTolveView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <optional>
#include <string>

namespace {

constexpr const char* kPasteTitle = "Paste";

// False, with a message, when the selection cannot be written as map text.
bool PutSelectionOnClipboard(const CTolveDoc& doc) {
    const MapFragment fragment = FragmentOfSelection(doc);
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

} // namespace

bool CanCopySelection(const CommandContext& context) {
    return context.view && HasCopyableSelection(context.view->GetDocument());
}

bool CanPasteClipboard(const CommandContext& context) {
    return context.view && !QGuiApplication::clipboard()->text().isEmpty();
}

void CopySelection(const CommandContext& context) {
    if (CanCopySelection(context))
        PutSelectionOnClipboard(context.view->GetDocument());
}

void CutSelection(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    if (!CanCopySelection(context) || !PutSelectionOnClipboard(doc))
        return;
    CMapTransaction transaction(doc, "Cut");
    DeleteSelection(transaction);
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
    AddFragment(transaction.Edits(), std::move(pasted.fragment));
    transaction.Commit();
}
