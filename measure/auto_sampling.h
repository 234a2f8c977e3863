#pragma once
#include "base/dialog_context.h"

namespace mensora {

// The Auto button: a recording every sampling period until it is pressed again. Owns the
// AutoSampleTimer and the button's two captions; the recordings themselves are the
// recorder's.
class AutoSampling {
public:
    explicit AutoSampling(const DialogContext& context);
    void onAutoButton();
    // Kills AutoSampleTimer, clears autoSampling, resets the Auto caption; does not push.
    void stop();

private:
    AcquisitionState& state_;
    WindowPort& window_;
    Timers& timers_;
    FieldExchange& exchange_;
};

}  // namespace mensora
