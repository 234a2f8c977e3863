#pragma once

namespace mensora {

// The program's own alert wave. Always started looping and asynchronously; a device without
// audio output plays nothing and reports nothing.
class AlertSound {
public:
    virtual ~AlertSound() = default;
    virtual void playLooped() = 0;
    virtual void stop() = 0;
};

}  // namespace mensora
