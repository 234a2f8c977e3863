#pragma once
#include <memory>

#include "base/settings_store.h"
#include "link/port_names.h"

namespace mensora {

// The port names of the system the program runs on: the fixed COM table on Windows, the
// machine's serial devices (and the user's mappings in the settings) elsewhere.
std::unique_ptr<PortNames> makePlatformPortNames(SettingsStore& settings);

}  // namespace mensora
