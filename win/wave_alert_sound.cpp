#include "win/wave_alert_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "win/resource_ids.h"

namespace mensora {

void WaveAlertSound::playLooped() {
    // A machine without a sound device plays nothing and says nothing.
    PlaySoundW(MAKEINTRESOURCEW(MENSORA_ALERT_WAVE), GetModuleHandleW(nullptr),
               SND_RESOURCE | SND_ASYNC | SND_LOOP | SND_NODEFAULT);
}

void WaveAlertSound::stop() { PlaySoundW(nullptr, nullptr, 0); }

}  // namespace mensora
