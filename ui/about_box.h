#pragma once
#include "base/language.h"

class QWidget;

namespace mensora {

// The About box of the window's About item: the program's name, version and purpose.
void showAboutBox(QWidget* parent, Language language);

}  // namespace mensora
