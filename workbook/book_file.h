#pragma once
// One .xlsx file being written by the library in its constant-memory mode (each row goes to
// disk as it is finished), with a point for the decimal sign whatever the user's locale. A
// workbook that is not closed in full leaves no file behind. Seen only by the workbook's own
// files: it holds libxlsxwriter's types.

#include <xlsxwriter.h>

#include <string>

#include "workbook/c_number_locale.h"
#include "workbook/workbook_file.h"

namespace mensora {

class BookFile {
public:
    explicit BookFile(std::string path);
    // A book neither closed nor cancelled is dropped with its file.
    ~BookFile();
    BookFile(const BookFile&) = delete;
    BookFile& operator=(const BookFile&) = delete;

    // Null when the library could not start the file.
    lxw_workbook* book() const { return book_; }
    lxw_worksheet* addSheet(const char* name) { return workbook_add_worksheet(book_, name); }
    // Writes the file out: Written, or Failed with the system's cause.
    WorkbookWriting close();
    // Drops what was written.
    WorkbookWriting cancel();

private:
    const CNumberLocale pointForNumbers_;
    std::string path_;
    std::string scratch_;
    lxw_workbook* book_ = nullptr;
};

}  // namespace mensora
