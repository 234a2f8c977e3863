#include "tests/support/synthetic_journal.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "journal/journal_file.h"
#include "journal/journal_time.h"
#include "tests/support/journal_query.h"

namespace mensora::test {

SyntheticJournal::SyntheticJournal(const std::string& path, const std::string& run) : path_(path) {
    for (const char* end : {"", "-wal", "-shm"}) std::remove((path + end).c_str());
    JournalError error;
    file_ = JournalFile::open(path, error);
    if (!file_) throw std::runtime_error("cannot create the journal " + path + ": " + error.detail);
    query("UPDATE journal_run SET run_id = '" + run + "'");
}

SyntheticJournal::~SyntheticJournal() = default;

std::vector<std::string> SyntheticJournal::query(const std::string& sql) {
    std::vector<std::string> rows = queryJournal(path_, sql);
    if (!rows.empty() && rows.back().rfind("cannot ", 0) == 0) {
        throw std::runtime_error("journal " + path_ + ": " + rows.back());
    }
    return rows;
}

void SyntheticJournal::append(const JournalEntry& entry) {
    if (const auto error = file_->write({entry})) {
        throw std::runtime_error("journal " + path_ + ": " + error->detail);
    }
}

void SyntheticJournal::append(std::vector<OutboxRecord>& records) {
    std::vector<JournalEntry> entries;
    for (const OutboxRecord& r : records) {
        JournalRecord record;
        record.number = static_cast<std::uint32_t>(r.number.value_or(0));
        record.valueText = r.valueText.value_or("");
        record.valueField = paddedValueText(record.valueText);
        record.value = static_cast<float>(r.value.value_or(0));
        record.error = static_cast<float>(r.error.value_or(0));
        record.decimalPlaces = 3;
        record.verdict = r.verdict.value_or(Verdict::Ok);
        record.takenAt = timeStampField(r.takenAt.value_or("2026-12-08 08:00:00"));
        record.nominal = static_cast<float>(r.nominal.value_or(0));
        record.upperTolerance = static_cast<float>(r.upperTolerance.value_or(0));
        record.lowerTolerance = static_cast<float>(r.lowerTolerance.value_or(0));
        record.unit = r.unit.value_or("");
        record.trace = {r.part.value_or(""), r.characteristic.value_or(""), r.lot.value_or(""),
                        r.operatorName.value_or(""), r.gaugeId.value_or("")};
        if (r.partSerial) record.planned = JournalPlanStamp{nullptr, 1, 0, *r.partSerial};
        entries.emplace_back(std::move(record));
    }
    if (const auto error = file_->write(entries)) {
        throw std::runtime_error("journal " + path_ + ": " + error->detail);
    }
    std::int64_t sequence = file_->lastSequence() - static_cast<std::int64_t>(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& held = std::get<JournalRecord>(entries[i]);
        OutboxRecord& r = records[i];
        r.sequence = ++sequence;
        r.value = held.value;
        r.error = held.error;
        r.nominal = held.nominal;
        r.upperTolerance = held.upperTolerance;
        r.lowerTolerance = held.lowerTolerance;
        r.verdict = held.verdict;
        r.number = held.number;
        r.valueText = held.valueText;
        r.unit = held.unit;
        r.part = held.trace.part;
        r.characteristic = held.trace.characteristic;
        r.lot = held.trace.lot;
        r.operatorName = held.trace.operatorName;
        r.gaugeId = held.trace.gaugeId;
        if (held.planned) r.partSerial = held.planned->serial;
    }
}

void SyntheticJournal::forgetPlantSent() { query("UPDATE plant_sent SET up_to = NULL"); }

std::optional<std::int64_t> SyntheticJournal::plantSentUpTo() {
    const auto rows = query("SELECT up_to FROM plant_sent");
    if (rows.empty() || rows[0] == "NULL") return std::nullopt;
    return std::stoll(rows[0]);
}

std::string runIdFrom(std::uint64_t seed) {
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx",
                  static_cast<unsigned long long>(seed * 0x9E3779B97F4A7C15ull),
                  static_cast<unsigned long long>(seed));
    return text;
}

OutboxRecord sampleRecord(std::int64_t number) {
    OutboxRecord record;
    record.number = number;
    const double value = 12.0 + static_cast<double>(number % 50) / 1000.0 - 0.02;
    char text[16];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3).ptr;
    record.valueText = std::string(text, end);
    record.value = value;
    record.error = value - 12.0;
    record.verdict = number % 10 == 0 ? Verdict::OverUpper : Verdict::Ok;
    char time[24];
    std::snprintf(time, sizeof time, "2026-12-08 %02d:%02d:%02d",
                  static_cast<int>(8 + number / 3600 % 10), static_cast<int>(number / 60 % 60),
                  static_cast<int>(number % 60));
    record.takenAt = time;
    record.nominal = 12.0;
    record.upperTolerance = 0.025;
    record.lowerTolerance = -0.025;
    record.unit = "mm";
    record.part = "SH-1207";
    record.characteristic = "外径";
    record.lot = "L" + std::to_string(number / 1000);
    record.operatorName = "王芳";
    record.gaugeId = "G-07";
    return record;
}

}  // namespace mensora::test
