#pragma once

#include "framework/CServiceSlot.h"

#include <string>

// Plays a sound file without waiting for it. A file that cannot be played, or
// a device that is busy, plays nothing and says nothing.
class CSoundPlayer {
public:
    virtual ~CSoundPlayer() = default;
    virtual void PlaySoundFile(const std::string& path) = 0;
};

// Defined beside the service's default implementation.
template <> CSoundPlayer*& CServiceSlot<CSoundPlayer>::Current();
using SoundPlayerSlot = CServiceSlot<CSoundPlayer>;
