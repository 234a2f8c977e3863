#pragma once
#include <cstdint>

class QWidget;

namespace mensora {

// The About box of the window's About item: the program's name, version and purpose.
void showAboutBox(QWidget* parent, std::int32_t language);

}  // namespace mensora
