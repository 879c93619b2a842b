#include "app/BrushFaceCommands.h"

#include "dialogs/CBrushFaceDlg.h"
#include "docks/CTexturePickerDlg.h"
#include "framework/CStatusNotice.h"
#include "map/BrushFaceTransfer.h"
#include "map/CMapTransaction.h"
#include "map/FormatConversion.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <memory>

namespace {

// Browse... shows the map's textures as pictures, as the browser does.
void OfferTexturePicker(CBrushFaceDlg& dialog, CTolveDoc& doc) {
    dialog.SetTexturePicker(
        [&](const std::string& current) { return PickTexture(doc, current, &dialog); });
}

// An entity made by the dialog's New... that got no brush would be saved as a
// point entity.
void DropEmptyNewEntities(CMapTransaction& transaction, const CBrushFaceDlg& dialog) {
    for (CModelEntity* entity : dialog.GetNewEntities()) {
        if (entity->m_brushes.empty())
            transaction.Edits().RemoveModelEntity(*entity);
    }
}

// A new brush starts as the last one of this map was made: its shape, sides
// and size; its texture is the current texture, and the texture values start
// afresh.
BrushFaceFields StartingNewBrushFields(const CTolveDoc& doc) {
    using enum BrushFaceField;
    BrushFaceFields fields = MakeNewBrushFields(doc.m_mapFormat);
    fields.texture = doc.GetEditorState().GetCurrentTexture();
    if (const std::optional<BrushFaceFields>& last = doc.GetEditorState().GetLastNewBrush()) {
        fields.shape = last->shape;
        for (const BrushFaceField field : {kBaseSides, kWidth, kHeight})
            fields[field] = (*last)[field];
    }
    return fields;
}

} // namespace

void NewBrush(const CommandContext& context) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    CEditorState& state = doc.GetEditorState();
    CModelEntity* owner = state.GetSelectedBrush() ? state.GetSelectedEntity() : nullptr;
    // Everything the dialog does to the map, its entity buttons included,
    // is one step with the new brush, or nothing after Cancel.
    CMapTransaction transaction(doc, "New Brush");
    CBrushFaceDlg dialog(transaction, BrushFaceJob::kNewBrush, StartingNewBrushFields(doc), owner,
                         view.window());
    OfferTexturePicker(dialog, doc);
    // The brush is built while the dialog is still open, so that sides the
    // brush cannot hold are told and the user can choose again.
    std::unique_ptr<CMapBrush> brush;
    dialog.SetAcceptCheck([&](const BrushFaceValues& values, const BrushFaceFields& fields) {
        auto built = std::make_unique<CMapBrush>();
        if (!view.BuildBrushShape(*built, values.width, values.height, state.GetSnap(),
                                  values.baseSides, fields.shape == kBoxShape))
            return false;
        brush = std::move(built);
        return true;
    });
    if (!RunModalDialog(dialog) || !brush)
        return;
    // In a Valve map the brush's faces get the axes of the nearest axis
    // planes, so that the texture lies as it would on a standard face.
    if (doc.m_mapFormat == MapFormat::kValve)
        GiveValveAxes(*brush);
    SetBrushTexture(*brush, MakeFaceTexture(dialog.GetValues(), dialog.GetFields().texture));
    transaction.Edits().AddBrush(dialog.GetChosenOwner(), std::move(brush));
    DropEmptyNewEntities(transaction, dialog);
    transaction.Commit();
    doc.GetEditorState().SetLastNewBrush(dialog.GetFields());
}

bool EditBrushOrFace(const CommandContext& context) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    const EditMode mode = doc.GetEditorState().GetEditMode();
    if (mode != kBrushMode && mode != kFaceMode)
        return false;
    // What the edit acts on is taken now: while the dialog is open the
    // pointer is elsewhere and hovers nothing.
    const CSelectionSet target = view.GetCommandTarget();
    const std::optional<EditedFace> shown = FindEditedFace(doc, target, mode);
    if (!shown) {
        ShowStatusNotice(kNothingUnderPointer);
        return true;
    }
    const bool brushMode = mode == kBrushMode;
    const BrushFaceJob job = brushMode ? BrushFaceJob::kEditBrush : BrushFaceJob::kEditFace;
    CMapTransaction transaction(doc, brushMode ? "Brush Edit" : "Face Edit");
    CBrushFaceDlg dialog(transaction, job, LoadFromFace(*shown->brush, shown->face, job),
                         shown->owner, view.window());
    OfferTexturePicker(dialog, doc);
    if (!RunModalDialog(dialog))
        return true;
    const FaceTexture texture = MakeFaceTexture(dialog.GetValues(), dialog.GetFields().texture);
    if (brushMode)
        ApplyBrushEdit(transaction, target, texture, dialog.GetFields().changeTexture, shown->owner,
                       dialog.GetChosenOwner());
    else
        ApplyFaceEdit(transaction, target, texture, dialog.GetChanges());
    DropEmptyNewEntities(transaction, dialog);
    transaction.Commit();
    return true;
}
