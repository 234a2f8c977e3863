#pragma once
// What the virtual gauge hears on the wire: the zero command, AA 00 or "CLR". Neither has a
// terminator and either may arrive split over several reads, so the listener remembers the
// last bytes it was given.

#include <cstddef>
#include <cstdint>

namespace mensora::gauge {

class ZeroCommandListener {
public:
    // True when the bytes complete at least one zero command.
    bool hear(const std::uint8_t* bytes, std::size_t count);
    // Forgets a half-heard command, e.g. when the line rate changed under it.
    void forget();

private:
    std::uint8_t beforeLast_ = 0;
    std::uint8_t last_ = 0;
};

}  // namespace mensora::gauge
