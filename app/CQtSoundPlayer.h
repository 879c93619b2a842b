#pragma once

#include "app/CSoundPlayer.h"

#include <memory>

class QSoundEffect;

// Plays WAV files with QSoundEffect.
class CQtSoundPlayer : public CSoundPlayer {
public:
    CQtSoundPlayer();
    ~CQtSoundPlayer() override;

    void PlaySoundFile(const std::string& path) override;

private:
    std::unique_ptr<QSoundEffect> m_effect; // made on first use
};
