#pragma once
// The one type of file a save dialog offers, as the program names it: the text shown, with the
// pattern in its last parentheses ("Worksheet Files (*.xls)"). Both windows' save dialogs read
// it here: the pattern that lists the folder's files, and the extension a name typed without
// one is given, so that "shift7" is saved as "shift7.xls", a file a spreadsheet opens.

#include <string>
#include <string_view>

namespace mensora {

struct FileType {
    std::string pattern;    // "*.*" when the text names none
    std::string extension;  // without the dot; empty unless the pattern is one plain "*.ext"
};

FileType fileTypeOf(std::string_view filterText);

}  // namespace mensora
