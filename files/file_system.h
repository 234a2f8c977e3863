#pragma once
// What record files need of the operating system: writing a record file so that it replaces
// the target only once it is complete, holding a name against other running programs, the
// executable's location, the per-user data folder and whether the program may create files
// in a folder. The POSIX and Win32 back ends implement it (NativeFileSystem); tests use a
// scripted fake.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace mensora {

// Why a record file could not be written; each cause has its own message.
enum class FileFailure : std::uint8_t {
    Unknown,
    NotFound,
    InvalidPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    DirectoryFull,
    HardwareIo,
    SharingViolation,
    LockViolation,
    DiskFull,
    SeekFault,
};

// Characters that end a folder name in a path.
#ifdef _WIN32
inline constexpr char kPathSeparators[] = "\\/";
#else
inline constexpr char kPathSeparators[] = "/";
#endif

// Why a record file could not be written, and whether it was the closing itself: only that
// failure names no file in its message; one in creating, writing, making the data durable or
// putting the file in place does.
struct RecordFileFailure {
    FileFailure cause;
    bool atClose;
};

// A record file being written. The target keeps its previous content, and no other program
// can open it, until commit() has put the complete new file in its place: the target is only
// ever created or replaced whole, by renaming a finished and synced file over it, so a process
// killed at any moment leaves either the previous file or none, never a shorter one.
// Destroying the object without a successful commit removes what was written and leaves the
// target as it was (a target that did not exist before does not exist afterwards).
class RecordFileSink {
public:
    virtual ~RecordFileSink() = default;
    // Appends all count bytes, or tells why not. A device that takes fewer bytes than asked
    // is full: DiskFull.
    virtual std::optional<FileFailure> write(const char* bytes, std::size_t count) = 0;
    // Makes the file durable, closes it and puts it in place of the target.
    virtual std::optional<RecordFileFailure> commit() = 0;
};

// Either an open record file or the cause that kept it from opening.
struct RecordFileOpening {
    std::unique_ptr<RecordFileSink> file;
    FileFailure failure = FileFailure::Unknown;  // meaningful only without file
};

// A name this running program holds in a folder, for as long as the object lives; other
// running programs are told it is taken. Ending the program, however it ends, lets it go.
class NameClaim {
public:
    virtual ~NameClaim() = default;
};

// Either the held name, or whether another running program holds it (otherwise the name
// could not be held at all, for instance in a folder the program may not write to).
struct NameClaiming {
    std::unique_ptr<NameClaim> claim;
    bool heldElsewhere = false;  // meaningful only without claim
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Starts a record file that is to replace the file at path (or become it), held unshared:
    // another holder of the target makes this fail with SharingViolation. Files that a killed
    // writer left half-made in the target's folder are removed first.
    virtual RecordFileOpening createRecordFile(const std::string& path) = 0;

    // Holds name in folder (which may end in a separator) for this running program.
    virtual NameClaiming claimName(const std::string& folder, const std::string& name) = 0;

    // Full path of the running executable; empty when the platform cannot tell.
    virtual std::string executablePath() = 0;

    // The application's folder for per-user data, created when missing, with a trailing
    // separator; nothing when it neither exists nor can be created.
    virtual std::optional<std::string> userDataDirectory() = 0;
    // The same for data that stays on this PC and does not travel with the user's profile
    // (the journal): on Windows the local application data, elsewhere the folder above.
    virtual std::optional<std::string> localDataDirectory() { return userDataDirectory(); }

    // Whether this process may create files in the folder (the name may end in a separator).
    virtual bool mayCreateFilesIn(const std::string& directory) = 0;

    // The whole of a file a user chose (a plan's spreadsheet), or why it cannot be read.
    virtual std::variant<std::string, FileFailure> readFile(const std::string& path) = 0;
};

}  // namespace mensora
