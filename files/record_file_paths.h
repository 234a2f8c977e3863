#pragma once
// Where the autosave file goes and what it is called.

#include <string>

#include "base/clock.h"

namespace mensora {

// The folder of the executable with its trailing separator: the executable's path with the
// file name removed. Empty when the path names no folder.
std::string executableDirectory(const std::string& executablePath);

// "bakYYYYMMDD.xls" for the given local date: one autosave file per calendar day. A program
// started while another one autosaves in the same folder takes the next free slot for its
// whole life, 2, 3 and so on, and writes "bakYYYYMMDD-2.xls", "bakYYYYMMDD-3.xls" and so on.
std::string autosaveFileName(const LocalDateTime& date, unsigned slot = 1);

// What running programs hold to tell each other that a slot of autosave names is taken.
std::string autosaveSlotName(unsigned slot);

}  // namespace mensora
