#include "win/standard_boxes.h"

#include <commdlg.h>

#include <vector>

#include "base/file_type_filter.h"
#include "base/wide_text.h"
#include "win/executable_name.h"

namespace mensora {
namespace {

// The save dialog's list of file types: each as shown and its pattern, then the empty entry
// that ends the list.
std::wstring filterList(const std::vector<std::string>& fileTypes) {
    std::wstring list;
    for (const std::string& type : fileTypes) {
        list += wide(type);
        list.push_back(L'\0');
        list += wide(fileTypeOf(type).pattern);
        list.push_back(L'\0');
    }
    return list;
}

}  // namespace

void showMessageBox(HWND owner, const std::string& text, MessageIcon icon) {
    const std::wstring caption = executableBaseName();
    MessageBoxW(owner, wide(text).c_str(), caption.c_str(),
                MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : MB_ICONEXCLAMATION));
}

bool askYesNo(HWND owner, const std::string& text) {
    const std::wstring caption = executableBaseName();
    return MessageBoxW(owner, wide(text).c_str(), caption.c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

std::optional<SaveChoice> askSavePath(HWND owner, const std::string& offeredName,
                                      const std::vector<std::string>& fileTypes) {
    const std::wstring filter = filterList(fileTypes);
    // The dialog gives a bare name the extension of the type showing when it has one; this one
    // only tells it that a bare name gets an extension at all.
    const std::wstring extension = wide(fileTypeOf(fileTypes.at(0)).extension);
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
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    // nFilterIndex counts the types from 1.
    const std::size_t showing = dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0;
    return SaveChoice{utf8(path.data()), showing};
}

std::optional<std::string> askOpenPath(HWND owner, const std::string& fileType) {
    const std::wstring filter = filterList({fileType});
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return utf8(path.data());
}

}  // namespace mensora
