// A journal that cannot be written: the disk full, the data folder read-only. The user is
// told once, in the interface language, and recording goes on in memory as before. Real file
// systems: a small tmpfs that fills up and a read-only one, mounted in a mount namespace of
// this test's own, so that nothing outside it sees them.

#include <sched.h>
#include <sys/mount.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/journal/journal_bench.h"

namespace mensora {
namespace {

using test::FakeFileSystem;
using test::JournalBench;
using test::JournalFolder;

// A private mount of a tmpfs of `options` on folder, for the life of the object.
class TmpfsMount {
public:
    TmpfsMount(const std::string& folder, unsigned long flags, const char* options)
        : folder_(folder) {
        mounted_ = ::unshare(CLONE_NEWNS) == 0 &&
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("tmpfs", folder.c_str(), "tmpfs", flags, options) == 0;
    }
    ~TmpfsMount() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

TEST(JournalNotWritable, TheUserIsToldOnceInTheInterfaceLanguageAndRecordingGoesOn) {
    const struct {
        const char* what;
        unsigned long flags;
        std::int32_t language;
        const char* told;
    } cases[] = {
        {"a full disk", 0, 2, "The disk is full: the record journal cannot be written: "},
        {"a full disk", 0, 1, "磁盘已满，记录日志无法写入："},
        {"a read-only data folder", MS_RDONLY, 2,
         "The record journal's folder may not be written to: "},
        {"a read-only data folder", MS_RDONLY, 1, "记录日志所在的文件夹不可写入："},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " " + std::to_string(c.language));
        const JournalFolder folder;
        const TmpfsMount disk(folder.path(), c.flags, "size=256k");
        ASSERT_TRUE(disk.mounted()) << "mounting a tmpfs needs root: " << folder.path();
        FakeFileSystem pc;
        JournalBench bench(pc, folder.path(), {{"Language", c.language}});
        constexpr std::uint32_t kRecords = 900;
        for (std::uint32_t n = 0; n < kRecords; ++n) bench.record(4.0f, "4.000");
        EXPECT_EQ(bench.rig().store.count(), kRecords);
        ASSERT_EQ(bench.rig().window.messages.size(), 1u);
        const std::string& told = bench.rig().window.messages[0].text;
        EXPECT_EQ(told.substr(0, std::string(c.told).size()), c.told) << told;
        EXPECT_NE(told.find(folder.path() + "journal.db"), std::string::npos) << told;
    }
}

}  // namespace
}  // namespace mensora
