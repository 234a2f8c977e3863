#include "win/executable_name.h"

#include <windows.h>

#include <vector>

namespace mensora {

std::wstring executableBaseName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return L"mensora";
        if (length < buffer.size()) {
            std::wstring name(buffer.data(), length);
            const auto slash = name.find_last_of(L"\\/");
            if (slash != std::wstring::npos) name.erase(0, slash + 1);
            const auto dot = name.find_last_of(L'.');
            if (dot != std::wstring::npos && dot > 0) name.erase(dot);
            return name;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace mensora
