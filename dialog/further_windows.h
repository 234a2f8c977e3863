#pragma once
// The windows beside the main one, in the order their menu items stand: what each is called,
// the key that opens it, its command in the Windows window menu and its action's name in the
// Qt window. Both front ends build their menus and keys from this table, and the tip on the
// record list and the statistics group tells a user where to find them, without a manual and
// without a button more on the window.

#include <span>
#include <string>

#include "base/language.h"
#include "base/texts.h"

namespace mensora {

enum class FurtherWindow { Charts, Trace, Plan, Study, Runs, Plant };

struct FurtherWindowEntry {
    FurtherWindow window;
    Bilingual title;         // as its menu item says it
    int functionKey;         // F1 to F12 by number; 0: no key of its own
    int menuCommand;         // in the Windows window menu
    const char* actionName;  // of the Qt window's action
};

std::span<const FurtherWindowEntry> furtherWindows();
const FurtherWindowEntry& furtherWindow(FurtherWindow window);

// Where the window's own menu is: Qt offers it on the window's background, Windows as the
// window menu of the caption bar.
enum class MenuPlace { Background, CaptionBar };

// "Right-click the window's background: Quality charts (F3)" and its like, for the windows
// that have a key.
std::string furtherWindowsTip(Language language, MenuPlace place);

}  // namespace mensora
