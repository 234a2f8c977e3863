#include "win/standard_boxes.h"

#include <commdlg.h>

#include <vector>

#include "base/wide_text.h"
#include "win/executable_name.h"

namespace mensora {
namespace {

// The save dialog's one file type: the shown text, and the pattern it names in parentheses.
std::wstring fileTypeFilter(const std::string& filterText) {
    const std::wstring shown = wide(filterText);
    const auto open = shown.rfind(L'(');
    const auto close = shown.rfind(L')');
    const std::wstring pattern = open != std::wstring::npos && close != std::wstring::npos &&
                                         close > open + 1
                                     ? shown.substr(open + 1, close - open - 1)
                                     : std::wstring(L"*.*");
    std::wstring filter = shown;
    filter.push_back(L'\0');
    filter += pattern;
    filter.push_back(L'\0');  // the list ends with an empty entry
    return filter;
}

}  // namespace

void showMessageBox(HWND owner, const std::string& text, MessageIcon icon) {
    const std::wstring caption = executableBaseName();
    MessageBoxW(owner, wide(text).c_str(), caption.c_str(),
                MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : MB_ICONEXCLAMATION));
}

std::optional<std::string> askSavePath(HWND owner, const std::string& offeredName,
                                       const std::string& filterText) {
    const std::wstring filter = fileTypeFilter(filterText);
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring offered = wide(offeredName);
    lstrcpynW(path.data(), offered.c_str(), static_cast<int>(path.size()));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    return utf8(path.data());
}

}  // namespace mensora
