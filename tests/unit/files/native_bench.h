#pragma once
// The platform under the record-file suite, which runs on both back ends, on Linux and under
// Wine. Each side gives the same few things in namespace test: a scratch folder (ScratchFolder),
// the folder separator (kSeparator), files read, written and listed by their UTF-8 names
// (pathOf, readFile, writeFile, listing, makeFolderAt), another program that holds a file
// (OtherProgramHolding), how an open by another program fares right now (openSeenByOthers:
// "held" or "free"; kOthersReadAHeldFile, whether one may still read it), the real file system with the executable moved (RelocatedExecutable) and
// the file name of the test program itself (kThisProgram).

#ifdef _WIN32
#include "tests/wine/native_bench_win32.h"
#else
#include "tests/unit/files/native_bench_posix.h"
#endif
