#include "app/CommandList.h"

#include "app/BrushCommands.h"
#include "app/CameraCommands.h"
#include "app/ClipCommands.h"
#include "app/ClipboardCommands.h"
#include "app/CompileCommands.h"
#include "app/CsgCommands.h"
#include "app/DefinitionCommands.h"
#include "app/EditModeCommands.h"
#include "app/EntityCommands.h"
#include "app/EntityInspectorCommands.h"
#include "app/FaceInspectorCommands.h"
#include "app/FileCommands.h"
#include "app/FindCommands.h"
#include "app/GridCommands.h"
#include "app/GroupCommands.h"
#include "app/HelpCommands.h"
#include "app/HideCommands.h"
#include "app/NavigationCommands.h"
#include "app/OwnerCommands.h"
#include "app/PickDistanceSetting.h"
#include "app/PointFileCommands.h"
#include "app/PreferencesCommands.h"
#include "app/SelectionCommands.h"
#include "app/SetCommands.h"
#include "app/TextureAlignCommands.h"
#include "app/TextureBrowserCommands.h"
#include "app/TextureLockCommand.h"
#include "app/TextureReplaceCommands.h"
#include "app/TransformCommands.h"
#include "app/UndoCommands.h"
#include "app/WindowCommands.h"

namespace {

CommandEntries GatherCommandEntries() {
    CommandEntries entries;
    AddFileCommands(entries);
    AddDefinitionCommands(entries);
    AddPointFileCommands(entries);
    AddCompileCommands(entries);
    AddUndoCommands(entries);
    AddClipboardCommands(entries);
    AddTextureLockCommand(entries);
    AddTextureReplaceCommands(entries);
    AddTextureBrowserCommands(entries);
    AddFaceInspectorCommands(entries);
    AddEntityInspectorCommands(entries);
    AddFindCommands(entries);
    AddPreferencesCommands(entries);
    AddTextureAlignCommands(entries);
    AddWindowCommands(entries);
    AddCameraCommands(entries);
    AddNavigationCommands(entries);
    AddEditModeCommands(entries);
    AddBrushCommands(entries);
    AddClipCommands(entries);
    AddEntityCommands(entries);
    AddSelectionCommands(entries);
    AddHideCommands(entries);
    AddSetCommands(entries);
    AddCsgCommands(entries);
    AddTransformCommands(entries);
    AddOwnerCommands(entries);
    AddGroupCommands(entries);
    AddPickDistanceCommand(entries);
    AddGridCommands(entries);
    AddHelpCommands(entries);
    return entries;
}

} // namespace

const CommandEntries& GetCommandEntries() {
    static const CommandEntries entries = GatherCommandEntries();
    return entries;
}

const CommandEntry* FindCommandEntry(CommandId id) {
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}
