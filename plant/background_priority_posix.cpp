#include "plant/background_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace mensora {

namespace {
// Below the window's 0, well above the idle 19.
constexpr int kSenderNice = 10;
}  // namespace

void runBelowNormalPriority() {
    // On Linux a thread is a task of its own: its nice value is set by its id.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kSenderNice);
}

}  // namespace mensora
