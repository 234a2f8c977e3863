#pragma once
// Which window of the program this is, among those running on one PC. The first window is
// window 1; one started while it runs is window 2, and so on. A window's number names what is
// its alone: its journal ("journal-2"), its autosave ("bak20261210-2.xls") and its bench in
// the plant database ("BENCH-PC-2"). Window 1's names carry no number, as they did before a
// second window was possible.

#include <memory>
#include <string>

#include "files/file_system.h"

namespace mensora {

// Far more windows than one bench PC runs at once.
inline constexpr unsigned kWindowSlots = 99;

// "-2" for window 2, nothing for window 1.
std::string windowSuffix(unsigned window);

struct WindowSlot {
    std::unique_ptr<NameClaim> claim;  // none where the folder lets nothing be held
    unsigned number = 1;
};

// Holds, for this program's life, the first number whose name `stem` + suffix no other
// running program holds in `folder`. Where no name can be held at all (a folder the program
// may not write to) the first free-looking number is used all the same: writing there tells
// the user what is wrong. Past kWindowSlots: kWindowSlots + 1, unheld.
WindowSlot claimWindowSlot(FileSystem& files, const std::string& folder, const std::string& stem);

}  // namespace mensora
