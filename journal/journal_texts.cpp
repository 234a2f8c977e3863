#include "journal/journal_texts.h"

#include "base/texts.h"

namespace mensora {
namespace {

// The time of day of a journal time ("YYYY-MM-DD hh:mm:ss").
std::string timeOfDay(const std::string& journalTime) {
    return journalTime.size() > 11 ? journalTime.substr(11) : journalTime;
}

constexpr Bilingual kDiskFull{"磁盘已满，记录日志无法写入：",
                              "The disk is full: the record journal cannot be written: "};
constexpr Bilingual kNotWritable{"记录日志所在的文件夹不可写入：",
                                 "The record journal's folder may not be written to: "};
constexpr Bilingual kNotOurs{"记录日志由其他程序或更新版本的 Mensora 写入，本程序不会改动它：",
                             "The record journal was written by another program or a newer "
                             "Mensora, and is left as it is: "};
constexpr Bilingual kOther{"记录日志无法写入：", "The record journal cannot be written: "};
constexpr Bilingual kNoDataFolder{"用户数据文件夹", "the user's data folder"};
constexpr Bilingual kGoesOn{
    "\n记录照常进行，但未保存的记录在程序崩溃或断电后将无法恢复。请及时保存导出。",
    "\nRecording goes on, but records not yet saved cannot be restored after a crash or a power "
    "cut. Save them soon."};

constexpr Bilingual kRecovered{"记录日志已恢复写入，无法写入期间的记录也已全部写入。",
                               "The record journal is written again, with every record taken "
                               "while it could not be."};

}  // namespace

std::string journalRecoveredMessage(Language language) { return pick(kRecovered, language); }

std::string restoreQuestion(const UnsavedRecords& unsaved, Language language) {
    const std::string n = std::to_string(unsaved.count);
    const std::string first = timeOfDay(unsaved.first);
    const std::string last = timeOfDay(unsaved.last);
    return language == Language::English
               ? n + " records from the last run were not saved (" + first + " to " + last +
                     "). Restore them?"
               : "上次运行有 " + n + " 条记录未保存 (" + first + " 至 " + last + ")。是否恢复？";
}

std::string journalFailureMessage(const JournalError& error, Language language) {
    const Bilingual* cause = &kOther;
    if (error.cause == JournalError::Cause::DiskFull) cause = &kDiskFull;
    if (error.cause == JournalError::Cause::FolderNotWritable) cause = &kNotWritable;
    if (error.cause == JournalError::Cause::NotOurs) cause = &kNotOurs;
    std::string text = pick(*cause, language);
    text += error.path.empty() ? pick(kNoDataFolder, language) : error.path;
    if (!error.detail.empty()) text += " (" + error.detail + ")";
    return text + pick(kGoesOn, language);
}

}  // namespace mensora
