#include "app/TextureBrowserCommands.h"

#include "app/CMainFrame.h"
#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/TextureApplication.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

namespace {

constexpr const char* kNoFaces = "Apply Texture puts the texture on faces or brushes: choose "
                                 "them in face or brush mode";

void ShowTextureBrowser(const CommandContext& context) {
    context.frame->ShowTextureBrowser();
}

void ApplyCurrentTexture(const CommandContext& context) {
    CTolveDoc& doc = context.view->GetDocument();
    const CEditorState& state = doc.GetEditorState();
    const std::string name = state.GetCurrentTexture();
    const EditMode mode = state.GetEditMode();
    if (mode != EditMode::kBrushMode && mode != EditMode::kFaceMode) {
        ShowStatusNotice(kNoFaces);
        return;
    }
    const CSelectionSet target = context.view->GetCommandTarget();
    if (target.IsEmpty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    CMapTransaction transaction(doc, "Apply Texture");
    // Faces that show the texture already make no step of their own.
    if (ApplyTextureToSet(transaction.Edits(), doc, target, mode, name) > 0)
        transaction.Commit();
}

// Until a texture is chosen there is nothing to apply.
bool HasCurrentTexture(const CommandContext& context) {
    return !context.view->GetDocument().GetEditorState().GetCurrentTexture().empty();
}

} // namespace

void AddTextureBrowserCommands(CommandEntries& entries) {
    entries.push_back({.id = CommandId::kTextureBrowser,
                       .menuText = "Te&xture Browser",
                       .prompt = "Show the textures of the map's texture files and filter them",
                       .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)},
                       .menu = MenuPlace{MainMenu::kView, 4, 6, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kDocument,
                       .run = ShowTextureBrowser});
    entries.push_back({.id = CommandId::kApplyTexture,
                       .menuText = "Appl&y Texture",
                       .prompt = "Put the current texture on the selected faces or brushes",
                       .keys = {QKeySequence(Qt::SHIFT | Qt::Key_T)},
                       .menu = MenuPlace{MainMenu::kEdit, 3, 2, MenuBarChoice::kWithMap},
                       .scope = CommandScope::kView,
                       .run = ApplyCurrentTexture,
                       .enabled = HasCurrentTexture});
}
