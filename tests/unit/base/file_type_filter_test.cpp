#include "base/file_type_filter.h"

#include <gtest/gtest.h>

namespace mensora {
namespace {

struct FilterCase {
    const char* text;
    const char* pattern;
    const char* extension;
};

// The program's own filters first, then texts a translation or a slip could bring.
constexpr FilterCase kCases[] = {
    {"Worksheet Files (*.xls)", "*.xls", "xls"},
    {"PNG 图片 (*.png)", "*.png", "png"},
    {"PNG pictures (*.png)", "*.png", "png"},
    {"Sheets (old) (*.xls)", "*.xls", "xls"},  // the last parentheses name the pattern
    {"All files (*.*)", "*.*", ""},
    {"Records (*.xls;*.txt)", "*.xls;*.txt", ""},
    {"Records (data*.xls)", "data*.xls", ""},
    {"Records ()", "*.*", ""},
    {"Records", "*.*", ""},
    {"Records (*.xls", "*.*", ""},
    {"", "*.*", ""},
};

TEST(FileTypeFilter, NamesThePatternAndTheExtensionAddedToABareName) {
    for (const FilterCase& c : kCases) {
        const FileType type = fileTypeOf(c.text);
        EXPECT_EQ(type.pattern, c.pattern) << c.text;
        EXPECT_EQ(type.extension, c.extension) << c.text;
    }
}

}  // namespace
}  // namespace mensora
