#pragma once
// Where the autosave file goes and what it is called.

#include <string>

#include "base/clock.h"

namespace mensora {

// The folder of the executable with its trailing separator: the executable's path with the
// file name removed. Empty when the path names no folder.
std::string executableDirectory(const std::string& executablePath);

// "bakYYYYMMDD.xls" for the given local date: one autosave file per calendar day. Window 2,
// 3 and so on of the folder writes "bakYYYYMMDD-2.xls", "bakYYYYMMDD-3.xls" and so on.
std::string autosaveFileName(const LocalDateTime& date, unsigned slot = 1);

}  // namespace mensora
