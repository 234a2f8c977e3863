#include "workbook/book_file.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include "workbook/scratch_place.h"

namespace mensora {
namespace {

// The C library's cause of a failed file operation of the library.
FileFailure failureOfErrno(int code) {
    switch (code) {
        case ENOSPC: return FileFailure::DiskFull;
        case EACCES:
        case EPERM: return FileFailure::AccessDenied;
        case EMFILE:
        case ENFILE: return FileFailure::TooManyOpenFiles;
        case ENOENT: return FileFailure::InvalidPath;
        case EIO: return FileFailure::HardwareIo;
        default: return FileFailure::Unknown;
    }
}

// The path is UTF-8, as every path of the program.
void removeFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(std::u8string(path.begin(), path.end())),
                            ignored);
}

}  // namespace

BookFile::BookFile(std::string path) : path_(std::move(path)), scratch_(scratchFolder()) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = scratch_.data();
    book_ = workbook_new_opt(path_.c_str(), &options);
}

BookFile::~BookFile() {
    if (book_ != nullptr) cancel();
}

WorkbookWriting BookFile::close() {
    errno = 0;
    const lxw_error closed = workbook_close(book_);
    book_ = nullptr;
    if (closed != LXW_NO_ERROR) {
        const int cause = errno;
        removeFile(path_);
        return {WorkbookEnd::Failed, failureOfErrno(cause)};
    }
    return {WorkbookEnd::Written};
}

WorkbookWriting BookFile::cancel() {
    lxw_workbook_free(book_);
    book_ = nullptr;
    removeFile(path_);
    return {WorkbookEnd::Cancelled};
}

}  // namespace mensora
