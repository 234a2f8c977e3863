#pragma once
#include "base/acquisition_state.h"
#include "base/field_exchange.h"
#include "base/timers.h"
#include "base/window_port.h"

namespace mensora {

// What every part of the main window's logic works with: the one state, the window, the
// window's timers and the field exchange. MainDialog makes one and hands it to each part.
struct DialogContext {
    AcquisitionState& state;
    WindowPort& window;
    Timers& timers;
    FieldExchange& exchange;
};

}  // namespace mensora
