#include "files/window_slot.h"

namespace mensora {

std::string windowSuffix(unsigned window) {
    return window > 1 ? "-" + std::to_string(window) : std::string();
}

WindowSlot claimWindowSlot(FileSystem& files, const std::string& folder, const std::string& stem) {
    for (unsigned number = 1; number <= kWindowSlots; ++number) {
        NameClaiming claiming = files.claimName(folder, stem + windowSuffix(number));
        if (claiming.heldElsewhere) continue;
        return {std::move(claiming.claim), number};
    }
    return {nullptr, kWindowSlots + 1};
}

}  // namespace mensora
