#include "link/fixed_port_names.h"
#include "link/platform_port_names.h"

namespace mensora {

std::unique_ptr<PortNames> makePlatformPortNames(SettingsStore&) {
    return std::make_unique<FixedPortNames>();
}

}  // namespace mensora
