#include "app/BrushFaceCommands.h"
#include "app/CBrushEditStep.h"
#include "app/CBrushInsertionStep.h"
#include "app/CHistoryEntityEditor.h"
#include "app/UndoCommands.h"

#include "dialogs/CBrushFaceDlg.h"
#include "map/BrushFaceTransfer.h"
#include "map/CMapEdits.h"
#include "map/FormatConversion.h"
#include "widgets/CTolveView.h"

#include <memory>

void NewBrush(const CommandContext& context) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    CModelEntity* owner = doc.m_selectedBrush ? doc.m_selectedEntity : nullptr;
    CBrushFaceDlg dialog(doc, BrushFaceJob::NewBrush, MakeNewBrushFields(doc.m_mapFormat), owner,
                         view.window());
    CHistoryEntityEditor entityEditor(context);
    dialog.SetEntityEditor(&entityEditor);
    // The brush is built while the dialog is still open, so that sides the
    // brush cannot hold are told and the user can choose again.
    std::unique_ptr<CMapBrush> brush;
    dialog.SetAcceptCheck([&](const CBrushFaceValues& values, const CBrushFaceFields& fields) {
        auto built = std::make_unique<CMapBrush>();
        if (!view.BuildBrushShape(*built, values.width, values.height, doc.m_snap, values.baseSides,
                                  fields.shape == kBoxShape))
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
    PerformStep(context, CBrushInsertionStep::Adding(doc, QStringLiteral("New Brush"),
                                                     dialog.GetChosenOwner(), std::move(brush),
                                                     CMapEdits::kAtEnd));
}

bool EditBrushOrFace(const CommandContext& context) {
    CTolveView& view = *context.view;
    CTolveDoc& doc = view.GetDocument();
    const bool brushMode = doc.m_editMode == kBrushMode;
    if ((!brushMode && doc.m_editMode != kFaceMode) || !doc.m_selectedBrush)
        return false;
    const BrushFaceJob job = brushMode ? BrushFaceJob::EditBrush : BrushFaceJob::EditFace;
    const int face = brushMode ? 0 : doc.m_selectedFace;
    // A brush kept as text has no faces to show.
    if (face >= doc.m_selectedBrush->m_numFaces)
        return true;
    CBrushFaceDlg dialog(doc, job, LoadFromFace(*doc.m_selectedBrush, face, job),
                         doc.m_selectedEntity, view.window());
    CHistoryEntityEditor entityEditor(context);
    dialog.SetEntityEditor(&entityEditor);
    if (!RunModalDialog(dialog))
        return true;
    const CBrushFaceFields fields = dialog.GetFields();
    const FaceTexture texture = MakeFaceTexture(dialog.GetValues(), fields.texture);
    // The dialog's own entity edits may have let go of the brush.
    CMapBrush* brush = doc.m_selectedBrush;
    if (!brush) {
        ApplyBrushEdit(doc, texture, fields.changeTexture, dialog.GetChosenOwner());
        return true;
    }
    const CMapBrush before = *brush;
    const CBrushEditStep::Place from = FindBrushPlace(doc, doc.m_selectedEntity, *brush);
    if (brushMode)
        ApplyBrushEdit(doc, texture, fields.changeTexture, dialog.GetChosenOwner());
    else
        ApplyFaceEdit(doc, texture);
    const CBrushEditStep::Place to = FindBrushPlace(doc, doc.m_selectedEntity, *brush);
    const QString text = brushMode ? QStringLiteral("Brush Edit") : QStringLiteral("Face Edit");
    PerformStep(context, std::make_unique<CBrushEditStep>(doc, text, *brush, before, from, to));
    return true;
}
