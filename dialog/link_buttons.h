#pragma once
// What the buttons offer and allow as the link to the gauge comes and goes.

#include "base/acquisition_state.h"
#include "base/language.h"
#include "base/window_port.h"

namespace mensora {

// The link is up: Connect becomes the Disconnect of the linked protocol, Zero, Auto and
// Manual become usable.
void showLinked(WindowPort& window, ProtocolKind kind, Language language);

// The link has ended: Connect again, Auto with its short caption, Zero, Auto and Manual locked.
void showUnlinked(WindowPort& window, Language language);

}  // namespace mensora
