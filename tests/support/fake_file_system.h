#pragma once
// Record files in memory, with scripted failures: a file becomes visible under its name
// only when committed, as the real back ends promise, so tests can check that a failed write
// leaves the previous file as it was.

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace mensora::test {

class FakeFileSystem : public FileSystem {
public:
    // Committed files by path.
    std::map<std::string, std::string> files;

    // Script: the next createRecordFile fails with this cause...
    std::optional<FileFailure> failCreate;
    // ...or a write fails once the file holds this many bytes (bytes before it are stored)...
    struct WriteFailure {
        std::size_t afterBytes;
        FileFailure cause;
    };
    std::optional<WriteFailure> failWrite;
    // ...or completing the file fails (at the closing itself, or before or after it). Each
    // script applies to every file until reset.
    std::optional<RecordFileFailure> failCommit;

    // Names held by running programs, as "folder|name": one fake can stand for the files of
    // several programs on one PC. Names that cannot be held at all (a read-only folder).
    std::set<std::string> heldNames;
    bool claimsUnavailable = false;

    std::string executable = "/opt/mensora/bin/mensora";
    std::set<std::string> readOnlyFolders;
    std::optional<std::string> userData = "/home/bench/.local/share/Mensora/";

    // What was asked.
    std::vector<std::string> createdPaths;
    std::vector<std::size_t> writeSizes;  // bytes per write call, across files
    int userDataRequests = 0;
    int openFiles = 0;  // files created and not yet committed or dropped

    RecordFileOpening createRecordFile(const std::string& path) override {
        createdPaths.push_back(path);
        if (failCreate) return {nullptr, *failCreate};
        return {std::make_unique<Sink>(*this, path), FileFailure::Unknown};
    }
    NameClaiming claimName(const std::string& folder, const std::string& name) override {
        if (claimsUnavailable) return {};
        const std::string key = folder + "|" + name;
        if (!heldNames.insert(key).second) return {nullptr, true};
        return {std::make_unique<Claim>(*this, key), false};
    }
    std::string executablePath() override { return executable; }
    std::optional<std::string> userDataDirectory() override {
        ++userDataRequests;
        return userData;
    }
    bool mayCreateFilesIn(const std::string& directory) override {
        return readOnlyFolders.count(directory) == 0;
    }
    std::variant<std::string, FileFailure> readFile(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) return FileFailure::NotFound;
        return found->second;
    }

private:
    class Claim : public NameClaim {
    public:
        Claim(FakeFileSystem& owner, std::string key) : owner_(owner), key_(std::move(key)) {}
        ~Claim() override { owner_.heldNames.erase(key_); }

    private:
        FakeFileSystem& owner_;
        std::string key_;
    };

    class Sink : public RecordFileSink {
    public:
        Sink(FakeFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {
            ++owner_.openFiles;
        }
        ~Sink() override { --owner_.openFiles; }

        std::optional<FileFailure> write(const char* bytes, std::size_t count) override {
            owner_.writeSizes.push_back(count);
            const auto& failure = owner_.failWrite;
            if (failure && pending_.size() + count > failure->afterBytes) {
                if (pending_.size() < failure->afterBytes) {
                    pending_.append(bytes, failure->afterBytes - pending_.size());
                }
                return failure->cause;
            }
            pending_.append(bytes, count);
            return std::nullopt;
        }
        std::optional<RecordFileFailure> commit() override {
            if (owner_.failCommit) return owner_.failCommit;
            owner_.files[path_] = pending_;
            return std::nullopt;
        }

    private:
        FakeFileSystem& owner_;
        std::string path_;
        std::string pending_;
    };
};

}  // namespace mensora::test
