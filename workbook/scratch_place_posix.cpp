#include <unistd.h>

#include <cstdlib>
#include <string>

#include "workbook/scratch_place.h"

namespace mensora {

std::string scratchFolder() {
    const char* chosen = std::getenv("TMPDIR");
    std::string folder = chosen != nullptr && chosen[0] == '/' ? chosen : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

unsigned long processNumber() { return static_cast<unsigned long>(::getpid()); }

}  // namespace mensora
