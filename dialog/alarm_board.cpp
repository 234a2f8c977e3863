#include "dialog/alarm_board.h"

#include "base/timer_ids.h"
#include "charts/run_rule_texts.h"
#include "dialog/alarm_texts.h"

namespace mensora {
namespace {

// Long enough to be heard over a machine shop, whatever the record alert is set to: an alarm
// is what the operator must not miss.
constexpr std::uint32_t kAlarmAlertMs = 1500;

std::string alarmText(const AlarmEntry& alarm, Language language) {
    using namespace alarm_texts;
    std::string text = pick(run_rule_texts::kRuleNames[alarm.rule - 1], language);
    if (alarm.rangeChart) text += pick(kRangeChart, language);
    text += " – ";
    if (!alarm.characteristic.empty()) {
        text += alarm.characteristic + pick(kAfterCharacteristic, language);
    }
    if (alarm.firstRecord == alarm.lastRecord) {
        text += pick(kRecord, language) + std::to_string(alarm.lastRecord);
    } else {
        text += pick(kRecords, language) + std::to_string(alarm.firstRecord) + "–" +
                std::to_string(alarm.lastRecord);
    }
    return text;
}

}  // namespace

AlarmBoard::AlarmBoard(Parts parts) : parts_(std::move(parts)) {}

AlarmEntry& AlarmBoard::added(AlarmKind kind) {
    AlarmEntry& made = log_.emplace_back();
    made.number = static_cast<std::uint32_t>(log_.size());
    made.kind = kind;
    made.at = parts_.clock.localNow();
    return made;
}

void AlarmBoard::raise(const RuleEvent& event) {
    AlarmEntry& alarm = added(AlarmKind::Raised);
    alarm.rule = event.rule;
    alarm.rangeChart = event.rangeChart;
    alarm.characteristic = event.characteristicName;
    alarm.firstRecord = event.firstRecord;
    alarm.lastRecord = event.lastRecord;
    standing_.push_back(alarm.number);
    if (parts_.keep) parts_.keep(alarm);
    parts_.sound.playLooped();
    parts_.timers.arm(BeepStopTimer, kAlarmAlertMs);
    if (lineChanged_) lineChanged_();
}

void AlarmBoard::acknowledge(const std::string& cause, const std::string& note) {
    if (standing_.empty()) return;
    const std::vector<std::uint32_t> answered = std::move(standing_);
    standing_.clear();
    for (const std::uint32_t alarm : answered) {
        AlarmEntry& acknowledgement = added(AlarmKind::Acknowledged);
        acknowledgement.acknowledges = alarm;
        acknowledgement.cause = cause;
        acknowledgement.note = note;
        if (parts_.keep) parts_.keep(acknowledgement);
    }
    if (lineChanged_) lineChanged_();
}

std::string AlarmBoard::newest(Language language) const {
    return standing_.empty() ? std::string() : alarmText(entry(standing_.back()), language);
}

std::string AlarmBoard::line(Language language) const {
    if (standing_.empty()) return {};
    using namespace alarm_texts;
    std::string text = pick(kLineBefore, language) + newest(language);
    if (standing_.size() > 1) {
        text += pick(kMoreBefore, language) + std::to_string(standing_.size() - 1) +
                pick(kMoreAfter, language);
    }
    return text;
}

std::vector<AlarmEntry> AlarmBoard::ofList() const {
    return {log_.begin() + static_cast<std::ptrdiff_t>(listStart_), log_.end()};
}

}  // namespace mensora
