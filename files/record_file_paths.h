#pragma once
// Where the autosave file goes and what it is called.

#include <string>

#include "base/clock.h"

namespace mensora {

// The folder of the executable with its trailing separator: the executable's path with the
// file name removed. Empty when the path names no folder.
std::string executableDirectory(const std::string& executablePath);

// "bakYYYYMMDD.xls" for the given local date: one autosave file per calendar day.
std::string autosaveFileName(const LocalDateTime& date);

}  // namespace mensora
