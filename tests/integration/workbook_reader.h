#pragma once
// The independent reader of the workbooks the program saves: Debian's python3 with its
// openpyxl (another python3 on the PATH may lack it).

#include <QProcess>
#include <QStringList>

namespace mensora::test {

// What `script` prints about the workbook at `path`, its sys.argv[1] (`arguments` follow),
// then anything the reader complained of.
inline QString readWorkbook(const QString& path, const char* script,
                            const QStringList& arguments = {}) {
    QProcess reader;
    reader.start("/usr/bin/python3", QStringList{"-c", script, path} + arguments);
    reader.waitForFinished(60000);
    return QString::fromUtf8(reader.readAllStandardOutput()).trimmed() +
           QString::fromUtf8(reader.readAllStandardError());
}

}  // namespace mensora::test
