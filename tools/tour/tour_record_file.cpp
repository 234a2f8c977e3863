#include "tools/tour/tour_record_file.h"

#include <QAbstractItemModel>
#include <QFile>
#include <string_view>

#include "measure/record_store.h"
#include "tools/tour/tour_failure.h"

namespace mensora::tour {
namespace {

constexpr std::size_t kHeaderLine = 28;  // 27 bytes of titles and tabs, a line feed
constexpr std::size_t kRecordLine = 52;  // five fields, each with its tab, a line feed

// The widths of the five fields in the order of a line.
constexpr std::size_t kWidths[5] = {RecordStore::kSeqWidth, RecordStore::kValueWidth,
                                    RecordStore::kErrorWidth, RecordStore::kResultWidth,
                                    RecordStore::kTimeWidth};

RecordLine splitLine(std::string_view line, std::size_t number) {
    std::string fields[5];
    std::size_t at = 0;
    for (int i = 0; i < 5; ++i) {
        fields[i] = std::string(line.substr(at, kWidths[i]));
        at += kWidths[i];
        if (line[at] != '\t') {
            throw TourFailure("record line " + std::to_string(number) + ": no tab after field " +
                              std::to_string(i + 1));
        }
        ++at;
    }
    if (line[at] != '\n') {
        throw TourFailure("record line " + std::to_string(number) + " does not end in a line feed");
    }
    return {fields[0], fields[1], fields[2], fields[3], fields[4]};
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void expectSame(const QString& shown, const QString& held, std::size_t row, const char* what) {
    if (shown != held) {
        throw TourFailure("row " + std::to_string(row + 1) + ": the list shows " + what + " \"" +
                          shown.toStdString() + "\", the file holds \"" + held.toStdString() +
                          "\"");
    }
}

}  // namespace

RecordFile readRecordFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TourFailure("cannot read " + path.toStdString() + ": " +
                          file.errorString().toStdString());
    }
    const QByteArray bytes = file.readAll();
    const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (all.size() < kHeaderLine || (all.size() - kHeaderLine) % kRecordLine != 0 ||
        all.substr(kHeaderLine - 2, 2) != "\t\n") {
        throw TourFailure(path.toStdString() + " is no record file (" + std::to_string(all.size()) +
                          " bytes)");
    }
    RecordFile records;
    records.header = std::string(all.substr(0, kHeaderLine - 1));
    for (std::size_t at = kHeaderLine; at < all.size(); at += kRecordLine) {
        records.lines.push_back(splitLine(all.substr(at, kRecordLine), records.lines.size() + 1));
    }
    return records;
}

GbkText::GbkText() : decoder_("GBK") {
    if (!decoder_.isValid()) throw TourFailure("this system's Qt cannot decode GBK");
}

QString GbkText::operator()(const std::string& bytes) {
    return decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void checkAgainstProgram(const RecordFile& file, const RecordStore& store,
                         const QAbstractItemModel& list, GbkText& gbk) {
    const std::size_t rows = file.lines.size();
    if (rows != store.count() || static_cast<int>(rows) != list.rowCount()) {
        throw TourFailure("the file holds " + std::to_string(rows) + " records, the program " +
                          std::to_string(store.count()) + " and its list " +
                          std::to_string(list.rowCount()));
    }
    for (std::size_t row = 0; row < rows; ++row) {
        const RecordLine& line = file.lines[row];
        const auto index = static_cast<std::uint32_t>(row);
        if (line.seq != store.seqField(index) || line.value != store.valueField(index) ||
            line.error != store.errorField(index) || line.result != store.resultField(index) ||
            line.time != store.timeField(index)) {
            throw TourFailure("record " + std::to_string(row + 1) +
                              " in the file differs from the program's");
        }
        const auto cell = [&](int column) {
            return list.data(list.index(static_cast<int>(row), column)).toString().trimmed();
        };
        expectSame(cell(0), QString::fromStdString(line.seq), row, "the number");
        expectSame(cell(1), QString::fromStdString(trimmed(line.value)), row, "the value");
        expectSame(cell(2), QString::fromStdString(trimmed(line.error)), row, "the deviation");
        expectSame(cell(3), gbk(line.result).trimmed(), row, "the verdict");
        expectSame(cell(4), QString::fromStdString(line.time), row, "the time");
    }
}

}  // namespace mensora::tour
