#include "plant/background_priority.h"

#include <windows.h>

namespace mensora {

void runBelowNormalPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

}  // namespace mensora
