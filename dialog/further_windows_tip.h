#pragma once
// The tip on the record list and the statistics group: where the windows beside the main one
// are opened, and by which keys, so that a user finds them without a manual and without a
// button more on the window.

#include <string>

#include "base/language.h"

namespace mensora {

// Where the window's own menu is: Qt offers it on the window's background, Windows as the
// window menu of the caption bar.
enum class MenuPlace { Background, CaptionBar };

// "Right-click the window's background: Quality charts (F3)" and its like.
std::string furtherWindowsTip(Language language, MenuPlace place);

}  // namespace mensora
