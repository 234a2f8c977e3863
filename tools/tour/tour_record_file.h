#pragma once
// A record file as the tour reads it back after Save: the header line and every record line,
// each field exactly as written (GBK bytes), checked against the fixed layout; and the
// comparison with what the program holds and its record list shows.

#include <QString>
#include <QStringDecoder>
#include <string>
#include <vector>

class QAbstractItemModel;

namespace mensora {
class RecordStore;
}

namespace mensora::tour {

struct RecordLine {
    std::string seq;     // 6 bytes
    std::string value;   // 8 bytes
    std::string error;   // 8 bytes
    std::string result;  // 4 bytes, GBK
    std::string time;    // 20 bytes
};

struct RecordFile {
    std::string header;  // without its line feed, GBK
    std::vector<RecordLine> lines;
};

// The file's lines; a file that is not laid out as a record file is a TourFailure.
RecordFile readRecordFile(const QString& path);

// Text of the file for the screen: GBK bytes as Unicode.
class GbkText {
public:
    GbkText();  // a TourFailure when the system has no GBK conversion
    QString operator()(const std::string& bytes);

private:
    QStringDecoder decoder_;
};

// The file against the program: every line byte for byte the store's record, and every cell of
// the record list the file's field as the list shows it. A TourFailure names the first
// difference.
void checkAgainstProgram(const RecordFile& file, const RecordStore& store,
                         const QAbstractItemModel& list, GbkText& gbk);

}  // namespace mensora::tour
