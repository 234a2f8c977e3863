#include "base/resize_rule.h"

#include <cstdint>

namespace mensora {

int Stretch::bottom(int formerBottom) const {
    // In 64 bits: a tall list on a tall screen must not overflow the product.
    const std::int64_t product = std::int64_t{formerBottom} * to_;
    return static_cast<int>(product / from_);
}

std::optional<Stretch> ResizeRule::sizeChanged(int clientHeight, bool minimised) {
    if (minimised) return std::nullopt;
    const std::optional<int> former = rememberedHeight_;
    rememberedHeight_ = clientHeight;
    // A window squeezed to no height at all cannot be the base of a proportion: the controls
    // stay, and the next size change starts from this one.
    if (!former || *former <= 0) return std::nullopt;
    return Stretch(*former, clientHeight);
}

}  // namespace mensora
