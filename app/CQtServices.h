#pragma once

#include "app/CQtColourChooser.h"
#include "app/CQtFileChooser.h"
#include "app/CQtMessageService.h"
#include "app/CQtSoundPlayer.h"
#include "dialogs/CLoadingWindow.h"
#include "framework/CServiceSlot.h"

// The editor's platform services, installed for the lifetime of the object.
class CQtServices {
public:
    CQtServices();

private:
    CQtMessageService m_messages;
    CQtFileChooser m_fileChooser;
    CQtProgressService m_progress;
    CQtSoundPlayer m_sound;
    CQtColourChooser m_colourChooser;
    CServiceGuard<CMessageService> m_messageGuard;
    CServiceGuard<CFileChooser> m_openGuard;
    CServiceGuard<CSaveFileChooser> m_saveGuard;
    CServiceGuard<CFolderChooser> m_folderGuard;
    CServiceGuard<CProgressService> m_progressGuard;
    CServiceGuard<CSoundPlayer> m_soundGuard;
    CServiceGuard<CColourChooser> m_colourGuard;
};
