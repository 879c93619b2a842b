#include "app/OpenMapSettings.h"

#include "app/CChildFrame.h"
#include "app/CDocManager.h"
#include "app/CameraCommands.h"
#include "app/ClipCommands.h"
#include "app/GridCommands.h"
#include "app/PickDistanceSetting.h"
#include "app/TextureLockCommand.h"
#include "gl/CCameraView.h"
#include "widgets/CTolveView.h"

void ApplySettingsTo(CTolveDoc& doc) {
    doc.m_textureLock = LoadTextureLockSetting();
    CEditorState& state = doc.GetEditorState();
    state.SetPickDistance(LoadPickDistance());
    state.SetClipTexture(LoadClipTakesLargestFaceTexture() ? ClipTexture::kLargestFace
                                                           : ClipTexture::kCurrent);
}

void ApplySettingsTo(CTolveView& view) {
    view.ShowGrid(LoadGridSetting());
    view.SetGridColour(LoadGridColour());
}

void ApplySettingsTo(CChildFrame& frame) {
    if (CCameraView* camera = frame.GetCameraView()) {
        camera->SetDrawOptions(LoadSceneDrawOptions());
        camera->GetCamera().SetSpeed(LoadCameraSpeed());
        return;
    }
    ApplySettingsTo(frame.GetView());
}

void ApplySettingsToOpenMaps(const CommandContext& context) {
    if (context.view) {
        ApplySettingsTo(context.view->GetDocument());
        ApplySettingsTo(*context.view);
    }
    if (!context.docs)
        return;
    for (const auto& doc : context.docs->GetDocuments()) {
        ApplySettingsTo(*doc);
        for (CChildFrame* frame : context.docs->GetFrames(*doc))
            ApplySettingsTo(*frame);
    }
}
