#pragma once
// What the end-to-end tests put around the real program: the virtual gauge as a user starts
// it, a watch that notes and closes every message box, the data folder, the settings file's
// name, the bench's settings and Connect.

#include <signal.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace mensora::test {

// The virtual gauge as a user starts it.
class VirtualGauge {
public:
    explicit VirtualGauge(const QStringList& arguments) {
        const QString tool = qEnvironmentVariable("MENSORA_GAUGE");
        if (tool.isEmpty()) {
            ADD_FAILURE() << "MENSORA_GAUGE must name the mensora-gauge executable";
            return;
        }
        process_.start(tool, arguments);
        if (!process_.waitForStarted(5000)) {
            ADD_FAILURE() << "cannot start " << tool.toStdString();
            return;
        }
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~VirtualGauge() { unplug(); }

    const QString& device() const { return device_; }
    void pressDataKey() { ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1); }
    // A line typed to the gauge's console: "v 10.002" sets the reading it sends.
    void type(const std::string& line) {
        process_.write((line + "\n").c_str());
        process_.waitForBytesWritten(1000);
    }
    // The data key pressed until `count()` reaches `records`: a read that brings two frames
    // decodes the first only, so a press that took nothing is pressed again, as a user would.
    // `taken` hears of each record as it is taken.
    void pressUntil(const std::function<std::uint32_t()>& count, std::uint32_t records,
                    const std::function<void()>& taken = {}) {
        for (int press = 0; press < 12 && count() < records; ++press) {
            const std::uint32_t before = count();
            pressDataKey();
            runEventsUntil([&] { return count() != before; }, std::chrono::milliseconds(1500));
            if (taken && count() != before) taken();
        }
    }
    // The exit code after SIGTERM, -1 if it did not end cleanly.
    int stop() {
        process_.terminate();
        if (!process_.waitForFinished(5000) || process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }
    // The cable pulled: the gauge's end of the line goes away at once.
    void unplug() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
    QString device_;
};

// Message boxes are modal: one left open would hold the test. Each is noted and closed.
class MessageBoxWatch {
public:
    MessageBoxWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown_.push_back(box->text().toStdString());
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start(50);
    }
    const std::vector<std::string>& shown() const { return shown_; }

private:
    QTimer timer_;
    std::vector<std::string> shown_;
};

// The program's data folder, where its journal lives, emptied of an earlier test's journal.
inline std::string freshDataFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Mensora";
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder.toStdString() + "/";
}

// The application's name, which names its settings file.
inline QString applicationName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

// The bench as its user set it: the window's language stored as `storedLanguage`, the gauge
// on COM3, tried at 9600 baud first.
inline void storeBench(const VirtualGauge& gauge, std::int32_t storedLanguage) {
    QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora", applicationName());
    bench.setValue("Settings/Language", storedLanguage);
    bench.setValue("Settings/ComID", 3);
    bench.setValue("Settings/Baudrate", 9600);
    bench.setValue("Ports/COM3", gauge.device());
    bench.sync();
}

// Connect clicked as the user does and the link waited for; false when none came.
inline bool connectGauge(MensoraProgram& program) {
    qobject_cast<QAbstractButton*>(program.window().control(ConnectButton))->click();
    return runEventsUntil([&] { return program.dialog().state().linkConnected != 0; },
                          std::chrono::seconds(10));
}

}  // namespace mensora::test
