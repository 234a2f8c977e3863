#include <windows.h>

#include <new>

#include "measure/reserved_pages.h"

namespace mensora {

// Committed memory is charged to the system's commit limit at once, so the room is
// guaranteed; its pages are zero and get physical memory only when first touched.
ReservedPages::ReservedPages(std::size_t bytes) : data_(nullptr), size_(bytes) {
    if (bytes == 0) return;
    void* pages = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (pages == nullptr) throw std::bad_alloc();
    data_ = static_cast<char*>(pages);
}

ReservedPages::~ReservedPages() {
    if (data_ != nullptr) VirtualFree(data_, 0, MEM_RELEASE);
}

}  // namespace mensora
