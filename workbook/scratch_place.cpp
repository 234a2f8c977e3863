#include "workbook/scratch_place.h"

#include <atomic>

namespace mensora {

std::string scratchWorkbookPath() {
    static std::atomic<unsigned> serial{0};
    return scratchFolder() + "mensora-workbook-" + std::to_string(processNumber()) + "-" +
           std::to_string(++serial) + ".xlsx";
}

}  // namespace mensora
