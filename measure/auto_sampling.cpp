#include "measure/auto_sampling.h"

#include "base/control_ids.h"
#include "base/texts.h"
#include "base/timer_ids.h"

namespace mensora {

AutoSampling::AutoSampling(const DialogContext& context)
    : state_(context.state),
      window_(context.window),
      timers_(context.timers),
      exchange_(context.exchange) {}

void AutoSampling::onAutoButton() {
    if (state_.autoSampling) {
        stop();
    } else {
        // A period typed into the field is taken as it stands, even if the pull stopped at
        // another field.
        exchange_.pull();
        timers_.arm(AutoSampleTimer, state_.parameters.sampleIntervalMs);
        state_.autoSampling = true;
        window_.setText(AutoButton, pick(texts::kAutoStopCaption, state_.language()));
    }
    exchange_.push();
}

void AutoSampling::stop() {
    timers_.kill(AutoSampleTimer);
    state_.autoSampling = false;
    window_.setText(AutoButton, pick(texts::kAutoStartCaption, state_.language()));
}

}  // namespace mensora
