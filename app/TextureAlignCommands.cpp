#include "app/TextureAlignCommands.h"

#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/TextureAlignEdits.h"
#include "texture/TextureSize.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using enum CommandId;
using enum CommandScope;

constexpr const char* kMessageTitle = "Texture Alignment";
// A texture no loaded file holds is fitted as the commonest size.
constexpr TextureSize kUnknownTextureSize{64, 64};
// Scale Up and Scale Down change each scale by this much.
constexpr double kScaleStep = 0.1;

constexpr SubmenuPlace kTextureMenu{"&Texture", 3, 4};

CTolveDoc& Doc(const CommandContext& c) {
    return c.view->GetDocument();
}

EditMode Mode(const CommandContext& c) {
    return Doc(c).GetEditorState().GetEditMode();
}

bool TakesFaces(const CommandContext& c) {
    return Mode(c) == ::kFaceMode || Mode(c) == ::kBrushMode;
}

// The hovered object counts where it is shown: a camera view hovers only
// what it shows; a flat view may hover what lies outside it.
bool IsHoverShownIn(const CommandContext& c) {
    const CTolveView& view = *c.view;
    return c.camera || IsHoverShown(Doc(c), view.m_projection, view.width(), view.height());
}

CSelectionSet TargetOf(const CommandContext& c) {
    const CEditorState& state = Doc(c).GetEditorState();
    if (!state.GetSelectionSet().IsEmpty())
        return state.GetSelectionSet();
    return IsHoverShownIn(c) ? state.GetHoverAsSet() : CSelectionSet();
}

// One step over the target's faces; a face that cannot take the change is
// told in a message and nothing changes. False when nothing was done.
bool AlignTarget(const CommandContext& c, const char* name, const FaceAligner& align) {
    const std::vector<FaceOfBrush> faces = ListTexturedFaces(Doc(c), TargetOf(c), Mode(c));
    if (faces.empty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return false;
    }
    if (std::optional<std::string> refusal = AlignFaces(Doc(c), faces, name, align)) {
        ShowMessageBox(kMessageTitle, *refusal, MessageIcon::kWarning);
        return false;
    }
    return true;
}

// A shift by the snap step, or by one unit: S and T say which way the
// texture moves, against its axes.
template <int S, int T, bool OneUnit> void Shift(const CommandContext& c) {
    const double step = OneUnit ? 1.0 : Doc(c).GetEditorState().GetSnap();
    AlignTarget(c, "Texture Shift", [step](FaceAlignment& face) -> std::optional<std::string> {
        ShiftTexture(face, S * step, T * step);
        return std::nullopt;
    });
}

template <int Degrees> void Rotate(const CommandContext& c) {
    AlignTarget(c, "Texture Rotation", [](FaceAlignment& face) -> std::optional<std::string> {
        RotateTexture(face, Degrees);
        return std::nullopt;
    });
}

template <int Sign> void Scale(const CommandContext& c) {
    AlignTarget(c, "Texture Scale",
                [](FaceAlignment& face) { return ScaleTexture(face, Sign * kScaleStep); });
}

void Fit(const CommandContext& c) {
    CTextureWad& wad = Doc(c).m_textureWad;
    std::string unknown;
    const bool fitted = AlignTarget(c, "Texture Fit", [&](FaceAlignment& face) {
        std::optional<TextureSize> size = FindTextureSize(wad, face.texture);
        if (!size) {
            unknown = face.texture;
            size = kUnknownTextureSize;
        }
        return FitTexture(face, size->width, size->height);
    });
    if (fitted && !unknown.empty())
        ShowStatusNotice("No texture file of the map holds \"" + unknown +
                         "\": fitted as 64 x 64 texels");
}

void Reset(const CommandContext& c) {
    AlignTarget(c, "Texture Reset", [](FaceAlignment& face) -> std::optional<std::string> {
        ResetTexture(face);
        return std::nullopt;
    });
}

void AlignToEdge(const CommandContext& c) {
    AlignTarget(c, "Texture Align", AlignTextureToEdge);
}

template <bool Horizontally> void Flip(const CommandContext& c) {
    AlignTarget(c, "Texture Flip", [](FaceAlignment& face) -> std::optional<std::string> {
        FlipTexture(face, Horizontally);
        return std::nullopt;
    });
}

// What Copy Texture took, for any map of the editor to paste.
std::optional<FaceAlignment>& CopiedTexture() {
    static std::optional<FaceAlignment> copied;
    return copied;
}

// The face under the pointer, else the one chosen face.
std::optional<FaceOfBrush> FaceToCopy(const CommandContext& c) {
    const CEditorState& state = Doc(c).GetEditorState();
    const HoverSelection hover = state.GetHover();
    if (hover.brush && hover.face < hover.brush->m_numFaces && IsHoverShownIn(c))
        return FaceOfBrush{hover.brush, hover.face};
    const std::vector<FaceOfBrush> chosen =
        ListTexturedFaces(Doc(c), state.GetSelectionSet(), ::kFaceMode);
    if (chosen.size() == 1)
        return chosen.front();
    return std::nullopt;
}

void CopyTexture(const CommandContext& c) {
    const std::optional<FaceOfBrush> face = FaceToCopy(c);
    if (!face) {
        ShowStatusNotice("Point at a face, or choose one, to copy its texture");
        return;
    }
    CopiedTexture() = ReadFaceAlignment(*face->brush, face->face, Doc(c).m_mapFormat);
    ShowStatusNotice("Copied the texture \"" + CopiedTexture()->texture + "\" and its alignment");
}

void PasteTextureOnTarget(const CommandContext& c) {
    const FaceAlignment source = *CopiedTexture();
    AlignTarget(c, "Paste Texture", [&source](FaceAlignment& face) -> std::optional<std::string> {
        PasteTexture(face, source);
        return std::nullopt;
    });
}

bool IsFaceMode(const CommandContext& c) {
    return Mode(c) == ::kFaceMode;
}

bool CanPaste(const CommandContext& c) {
    return TakesFaces(c) && CopiedTexture().has_value();
}

MenuPlace TextureMenu(int group, int order) {
    return MenuPlace{MainMenu::kEdit,        group,        order, MenuBarChoice::kWithMap,
                     MenuItemRole::kCommand, &kTextureMenu};
}

struct TextureCommand {
    CommandId id;
    const char* text;
    const char* prompt;
    QKeySequence key;
    CommandHandler run;
    int group;
    int order;
    CommandState enabled = TakesFaces;
};

const Qt::KeyboardModifiers kFine = Qt::AltModifier | Qt::ShiftModifier;

// Alt with the keys around I, J, K and L: the shifts on the cluster, the
// turns on U and O; Shift with them for the fine steps.
const TextureCommand kTextureCommands[] = {
    {kTextureShiftLeft, "Shift &Left", "Move the texture one snap step left on the faces",
     QKeySequence(Qt::ALT | Qt::Key_J), Shift<1, 0, false>, 1, 1},
    {kTextureShiftRight, "Shift &Right", "Move the texture one snap step right on the faces",
     QKeySequence(Qt::ALT | Qt::Key_L), Shift<-1, 0, false>, 1, 2},
    {kTextureShiftUp, "Shift &Up", "Move the texture one snap step up on the faces",
     QKeySequence(Qt::ALT | Qt::Key_I), Shift<0, 1, false>, 1, 3},
    {kTextureShiftDown, "Shift &Down", "Move the texture one snap step down on the faces",
     QKeySequence(Qt::ALT | Qt::Key_K), Shift<0, -1, false>, 1, 4},
    {kTextureShiftLeftUnit, "Shift Left One Unit", "Move the texture one texel left on the faces",
     QKeySequence(kFine | Qt::Key_J), Shift<1, 0, true>, 2, 1},
    {kTextureShiftRightUnit, "Shift Right One Unit",
     "Move the texture one texel right on the faces", QKeySequence(kFine | Qt::Key_L),
     Shift<-1, 0, true>, 2, 2},
    {kTextureShiftUpUnit, "Shift Up One Unit", "Move the texture one texel up on the faces",
     QKeySequence(kFine | Qt::Key_I), Shift<0, 1, true>, 2, 3},
    {kTextureShiftDownUnit, "Shift Down One Unit", "Move the texture one texel down on the faces",
     QKeySequence(kFine | Qt::Key_K), Shift<0, -1, true>, 2, 4},
    {kTextureRotatePlus15, "Rotate +15\u00b0", "Add 15 degrees to the texture's rotation",
     QKeySequence(Qt::ALT | Qt::Key_U), Rotate<15>, 3, 1},
    {kTextureRotateMinus15, "Rotate \u221215\u00b0", "Take 15 degrees from the texture's rotation",
     QKeySequence(Qt::ALT | Qt::Key_O), Rotate<-15>, 3, 2},
    {kTextureRotatePlus1, "Rotate +1\u00b0", "Add 1 degree to the texture's rotation",
     QKeySequence(kFine | Qt::Key_U), Rotate<1>, 3, 3},
    {kTextureRotateMinus1, "Rotate \u22121\u00b0", "Take 1 degree from the texture's rotation",
     QKeySequence(kFine | Qt::Key_O), Rotate<-1>, 3, 4},
    {kTextureScaleUp, "Scale Up", "Make both texture scales 0.1 larger: the texture grows",
     QKeySequence(Qt::ALT | Qt::Key_Equal), Scale<1>, 4, 1},
    {kTextureScaleDown, "Scale Down", "Make both texture scales 0.1 smaller: the texture shrinks",
     QKeySequence(Qt::ALT | Qt::Key_Minus), Scale<-1>, 4, 2},
    {kTextureFit, "&Fit", "Lay the texture exactly once across each face",
     QKeySequence(Qt::ALT | Qt::Key_T), Fit, 5, 1},
    {kTextureReset, "R&eset", "Offsets 0, scales 1, rotation 0", QKeySequence(Qt::ALT | Qt::Key_R),
     Reset, 5, 2},
    {kTextureAlignEdge, "&Align to Edge",
     "Lay the texture along each face's longest edge (Valve 220 maps)",
     QKeySequence(Qt::ALT | Qt::Key_G), AlignToEdge, 5, 3},
    {kTextureFlipHorizontal, "Flip &Horizontally", "Mirror the texture left to right on the faces",
     QKeySequence(Qt::ALT | Qt::Key_X), Flip<true>, 6, 1},
    {kTextureFlipVertical, "Flip &Vertically", "Mirror the texture top to bottom on the faces",
     QKeySequence(Qt::ALT | Qt::Key_Y), Flip<false>, 6, 2},
    {kTextureCopy, "&Copy Texture",
     "Take the texture and its alignment from the face under the pointer or the chosen face",
     QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), CopyTexture, 7, 1, IsFaceMode},
    {kTexturePaste, "&Paste Texture",
     "Give the faces the copied texture, wrapped round shared edges in Valve 220 maps",
     QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V), PasteTextureOnTarget, 7, 2, CanPaste},
};

} // namespace

void AddTextureAlignCommands(CommandEntries& entries) {
    for (const TextureCommand& command : kTextureCommands) {
        entries.push_back({.id = command.id,
                           .menuText = command.text,
                           .prompt = command.prompt,
                           .keys = {command.key},
                           .menu = TextureMenu(command.group, command.order),
                           .scope = kView,
                           .run = command.run,
                           .enabled = command.enabled});
    }
}
