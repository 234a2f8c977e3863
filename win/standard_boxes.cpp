#include "win/standard_boxes.h"

#include <commdlg.h>

#include <vector>

#include "base/file_type_filter.h"
#include "base/wide_text.h"
#include "win/executable_name.h"

namespace mensora {
namespace {

// The save dialog's list of file types: the one type, as shown and its pattern, then the empty
// entry that ends the list.
std::wstring filterList(const std::string& filterText, const FileType& type) {
    std::wstring list = wide(filterText);
    list.push_back(L'\0');
    list += wide(type.pattern);
    list.push_back(L'\0');
    return list;
}

}  // namespace

void showMessageBox(HWND owner, const std::string& text, MessageIcon icon) {
    const std::wstring caption = executableBaseName();
    MessageBoxW(owner, wide(text).c_str(), caption.c_str(),
                MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : MB_ICONEXCLAMATION));
}

std::optional<std::string> askSavePath(HWND owner, const std::string& offeredName,
                                       const std::string& filterText) {
    const FileType type = fileTypeOf(filterText);
    const std::wstring filter = filterList(filterText, type);
    const std::wstring extension = wide(type.extension);
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring offered = wide(offeredName);
    lstrcpynW(path.data(), offered.c_str(), static_cast<int>(path.size()));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    return utf8(path.data());
}

}  // namespace mensora
