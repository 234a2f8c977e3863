#pragma once
// What the core needs of the main window. The Qt window and the native Win32 window each
// implement it as a passive view; tests use a fake that records what was asked of it. All
// texts are UTF-8.

#include <cstdint>
#include <optional>
#include <string>

#include "base/language.h"

namespace mensora {

enum class MessageIcon { Exclamation, Stop };

class WindowPort {
public:
    virtual ~WindowPort() = default;

    virtual void setText(int controlId, const std::string& text) = 0;
    virtual std::string text(int controlId) const = 0;
    virtual void enable(int controlId, bool on) = 0;
    virtual void setFocus(int controlId) = 0;

    virtual void setChecked(int controlId, bool on) = 0;
    virtual bool isChecked(int controlId) const = 0;

    // Drop-down lists: replace the items, select an index (out of range selects nothing),
    // read the selected index (-1 when nothing is selected).
    virtual void setListItems(int controlId, const char* const* items, int count) = 0;
    virtual void selectListItem(int controlId, int index) = 0;
    virtual int selectedListItem(int controlId) const = 0;

    // Record list: it reads the record store itself; these say what changed.
    // Grid lines, full-row selection and the five columns titled in the interface language.
    virtual void setUpRecordList(Language language) = 0;
    virtual void recordListAppended() = 0;
    virtual void recordListCleared() = 0;
    virtual void scrollRecordListToEnd() = 0;

    // Modal boxes; timers keep ticking while they are open.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    virtual void showAbout() = 0;

    // The save dialog: offered name, filter text and pattern, confirmation before replacing.
    // Returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> askSavePath(const std::string& offeredName,
                                                   const std::string& filterText) = 0;
};

}  // namespace mensora
