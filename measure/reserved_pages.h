#pragma once
// Zero-filled memory taken from the system whole, in one piece, and written only where it is
// used. The system commits the room when it is reserved, so a reservation that cannot be had
// fails there, at start, and never later; yet a page costs resident memory only once a byte of
// it has been written. measure/reserved_pages_posix.cpp on Linux, _win32.cpp on Windows.

#include <cstddef>

namespace mensora {

class ReservedPages {
public:
    // Throws std::bad_alloc when the system refuses the room.
    explicit ReservedPages(std::size_t bytes);
    ~ReservedPages();
    ReservedPages(const ReservedPages&) = delete;
    ReservedPages& operator=(const ReservedPages&) = delete;

    char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    char* data_;
    std::size_t size_;
};

}  // namespace mensora
