#include "app/CQtSoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

CQtSoundPlayer::CQtSoundPlayer() = default;
CQtSoundPlayer::~CQtSoundPlayer() = default;

void CQtSoundPlayer::PlaySoundFile(const std::string& path) {
    const QString file = QFile::decodeName(path.c_str());
    // No file, no sound and no default sound either.
    if (!QFileInfo(file).isFile())
        return;
    // A sound still playing keeps the device: give up at once.
    if (m_effect && m_effect->isPlaying())
        return;
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(file));
    m_effect->play();
}
