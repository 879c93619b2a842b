#include "app/ClipCommands.h"

#include "app/AppSettings.h"
#include "app/CDocManager.h"
#include "app/OpenMapSettings.h"
#include "gl/CCameraView.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

namespace {

const char* const kClipTextureKey = "Edit/ClipTakesLargestFaceTexture";

// In the camera view, three clicks on faces set the cut; in a flat view, two.
void StartClip(const CommandContext& context) {
    if (context.camera) {
        context.camera->setFocus(); // Tab, Enter and Escape go to the view the tool is in
        context.camera->StartClipTool();
        return;
    }
    context.view->setFocus();
    context.view->StartClipTool();
}

bool IsClipping(const CommandContext& context) {
    return context.camera ? context.camera->GetClipTool() != nullptr
                          : context.view->GetClipTool() != nullptr;
}

void ToggleClipTexture(const CommandContext& context) {
    StoreClipTakesLargestFaceTexture(
        context.view->GetDocument().GetEditorState().GetClipTexture() != ClipTexture::kLargestFace);
    ApplySettingsToOpenMaps(context);
}

bool TakesLargestFaceTexture(const CommandContext& context) {
    return context.view->GetDocument().GetEditorState().GetClipTexture() ==
           ClipTexture::kLargestFace;
}

} // namespace

bool LoadClipTakesLargestFaceTexture() {
    return OpenAppSettings().value(QLatin1String(kClipTextureKey), false).toBool();
}

void StoreClipTakesLargestFaceTexture(bool largest) {
    OpenAppSettings().setValue(QLatin1String(kClipTextureKey), largest);
}

void AddClipCommands(CommandEntries& entries) {
    entries.push_back(
        {.id = CommandId::kClip,
         .menuText = "&Clip",
         .prompt = "Cut the selected brushes: click two points in a flat view or three on faces "
                   "in the camera view, Tab "
                   "chooses the side kept, Enter cuts, Escape leaves the tool",
         .keys = {QKeySequence(Qt::Key_X)},
         .menu = MenuPlace{MainMenu::kEdit, 8, 1, MenuBarChoice::kWithMap},
         .scope = CommandScope::kView,
         .run = StartClip,
         .checked = IsClipping});
    entries.push_back({.id = CommandId::kClipLargestFaceTexture,
                       .menuText = "Clip Takes the Largest Face's &Texture",
                       .prompt = "Give the faces a cut makes the texture of the brush's largest "
                                 "face rather than the current texture",
                       .menu = MenuPlace{MainMenu::kEdit, 8, 2, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ToggleClipTexture,
                       .checked = TakesLargestFaceTexture});
}
