#include "app/TextureReplaceCommands.h"

#include "dialogs/CMissingTexturesDlg.h"
#include "dialogs/CReplaceTextureDlg.h"
#include "framework/CStatusNotice.h"
#include "map/CMapTransaction.h"
#include "map/TextureUses.h"
#include "widgets/CTolveView.h"

#include <string>

namespace {

using enum CommandId;
using enum CommandScope;

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

std::string CountOfFaces(size_t faces) {
    return faces == 1 ? "1 face" : std::to_string(faces) + " faces";
}

// The texture the user most likely means: that of the first selected face,
// else of the hovered one.
std::string LikelyTexture(const CEditorState& state, const std::vector<FaceRef>& selected) {
    if (!selected.empty())
        return selected.front().brush->m_faces[selected.front().face].texture;
    const CMapBrush* brush = state.GetSelectedBrush();
    if (brush && state.GetSelectedFace() < brush->m_numFaces)
        return brush->m_faces[state.GetSelectedFace()].texture;
    return {};
}

void ReplaceTexture(const CommandContext& c) {
    CTolveDoc& doc = c.view->GetDocument();
    const CEditorState& state = doc.GetEditorState();
    const std::vector<FaceRef> selected = FacesOfSet(state.GetSelectionSet(), state.GetEditMode());
    CReplaceTextureDlg dialog(c.view->window());
    dialog.SetFields(LikelyTexture(state, selected), "", !selected.empty());
    if (!RunModalDialog(dialog))
        return;
    const std::string find = dialog.GetFind();
    CMapTransaction transaction(doc, "Replace Texture");
    const size_t changed = ReplaceTextureName(transaction.Edits(),
                                              dialog.IsSelectionOnly() ? selected : FacesOfMap(doc),
                                              find, dialog.GetReplace());
    if (changed == 0) {
        ShowStatusNotice("No face " + std::string(dialog.IsSelectionOnly() ? "selected " : "") +
                         "has the texture " + Quoted(find));
        return;
    }
    transaction.Commit();
    ShowStatusNotice(Quoted(find) + " replaced by " + Quoted(dialog.GetReplace()) + " on " +
                     CountOfFaces(changed));
}

void ListMissingTextures(const CommandContext& c) {
    CTolveDoc& doc = c.view->GetDocument();
    const std::vector<TextureUse> missing = FindMissingTextures(doc);
    if (missing.empty()) {
        ShowStatusNotice("Every texture the map uses is in its texture files");
        return;
    }
    CMissingTexturesDlg dialog(missing, c.view->window());
    if (!RunModalDialog(dialog) || dialog.GetChosenTexture().empty())
        return;
    CEditorState& state = doc.GetEditorState();
    state.SetEditMode(EditMode::kFaceMode);
    state.SetSelectionSet(FacesUsing(doc, dialog.GetChosenTexture()));
    ShowStatusNotice(CountOfFaces(state.GetSelectionSet().CountParts()) + " with " +
                     Quoted(dialog.GetChosenTexture()) + " selected");
}

} // namespace

void AddTextureReplaceCommands(CommandEntries& entries) {
    entries.push_back({.id = kReplaceTexture,
                       .menuText = "Replace Te&xture...",
                       .prompt = "Replace one texture by another on the selected faces or the map",
                       .menu = MenuPlace{MainMenu::kEdit, 3, 3, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ReplaceTexture});
    entries.push_back({.id = kMissingTextures,
                       .menuText = "&Missing Textures...",
                       .prompt = "List the textures no texture file holds, and select their faces",
                       .menu = MenuPlace{MainMenu::kMap, 1, 1, MenuBarChoice::kWithMap},
                       .scope = kView,
                       .run = ListMissingTextures});
}
