#include "app/CQtServices.h"

CQtServices::CQtServices()
    : m_messageGuard(m_messages), m_openGuard(m_fileChooser), m_saveGuard(m_fileChooser),
      m_folderGuard(m_fileChooser), m_progressGuard(m_progress), m_soundGuard(m_sound),
      m_colourGuard(m_colourChooser) {}
