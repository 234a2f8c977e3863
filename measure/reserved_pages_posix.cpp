#include <sys/mman.h>

#include <new>

#include "measure/reserved_pages.h"

namespace mensora {

// A private anonymous mapping reads as zeros and is charged to the system's commit account
// when it is made (no MAP_NORESERVE), but a page of it is backed only when first written.
ReservedPages::ReservedPages(std::size_t bytes) : data_(nullptr), size_(bytes) {
    if (bytes == 0) return;
    void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(pages);
}

ReservedPages::~ReservedPages() {
    if (data_ != nullptr) munmap(data_, size_);
}

}  // namespace mensora
