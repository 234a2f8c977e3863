#pragma once
#include <string>

namespace mensora {

// The running executable's file name without folder and extension ("mensora"): the
// application's name under which its settings are kept and the caption of its message boxes.
std::wstring executableBaseName();

}  // namespace mensora
