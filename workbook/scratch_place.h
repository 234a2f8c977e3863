#pragma once
// Where a workbook is put together before it is copied into the record file that replaces
// the chosen one: the system's folder for temporary files, under a name of this process.

#include <string>

namespace mensora {

// A path in the temporary folder that no other running program and no other save of this
// program uses.
std::string scratchWorkbookPath();

// The folder the path above is in, with its trailing separator; the library keeps its own
// temporary files of a workbook there too.
std::string scratchFolder();

// This process's number as the system knows it.
unsigned long processNumber();

}  // namespace mensora
