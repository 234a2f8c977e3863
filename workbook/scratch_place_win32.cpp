#include <windows.h>

#include <string>

#include "base/wide_text.h"
#include "workbook/scratch_place.h"

namespace mensora {

std::string scratchFolder() {
    wchar_t folder[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return ".\\";
    return utf8(std::wstring_view(folder, length));
}

unsigned long processNumber() { return static_cast<unsigned long>(GetCurrentProcessId()); }

}  // namespace mensora
