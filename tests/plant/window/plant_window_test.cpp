// The real program with a plant database set: it sends this window's journal to the test
// server by itself, its status line says so under the controls, and the Plant database
// window edits the settings and tests the connection without holding up the window.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <chrono>

#include "tests/plant/plant_test_support.h"
#include "tests/support/synthetic_journal.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"
#include "ui/plant_window.h"

namespace mensora::test {
namespace {

using namespace std::chrono_literals;

// The journal of the first window, or of the nth open at once ("journal-2.db").
std::string journalOfWindow(unsigned window = 1) {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Mensora";
    QDir().mkpath(folder);
    const std::string name = window > 1 ? "journal-" + std::to_string(window) : "journal";
    return folder.toStdString() + "/" + name + ".db";
}

// Runs `act` on the next modal window of the kind once it is up, from inside its own loop.
template <typename Window>
void onNextModal(std::function<void(Window*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start(20);
}

TEST(PlantWindow, TheProgramSendsItsJournalSaysSoAndTheWindowEditsAndTests) {
    const std::string connection = testConnection();
    SyntheticJournal journal(journalOfWindow(), runIdFrom(7));
    std::vector<OutboxRecord> records{sampleRecord(1), sampleRecord(2), sampleRecord(3)};
    journal.append(records);
    QtSettingsStore settings;
    settings.putText("Plant", "Connection", connection);
    settings.putText("Plant", "Bench", "");  // the computer's name, whatever an earlier run chose

    MensoraProgram program;
    program.window().show();
    auto* status = program.window().findChild<QLabel*>("plant-status");
    ASSERT_NE(status, nullptr);
    ASSERT_TRUE(runEventsUntil([&] { return status->text() == "工厂数据库: 已同步"; }, 20s))
        << status->text().toStdString();
    // The line lies under every control, at the window's bottom.
    for (const QWidget* control :
         program.window().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != status && control->isVisible()) {
            EXPECT_LT(control->geometry().bottom(), status->y());
        }
    }
    EXPECT_EQ(status->geometry().bottom() + 1, program.window().height());
    const std::string bench = QSysInfo::machineHostName().toStdString();
    expectServerHolds(connection, bench, runIdFrom(7), records);
    // The connection string may carry a password: the settings file is its user's alone.
    const QString settingsFile = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                                           QCoreApplication::applicationName())
                                     .fileName();
    struct stat file {};
    ASSERT_EQ(stat(settingsFile.toStdString().c_str(), &file), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);

    // The window shows both settings; Test answers in a box while the window stays live;
    // OK stores the new bench name, and the journal goes to the plant again under it.
    QString answer;
    onNextModal<QDialog>([&](QDialog* window) {
        ASSERT_EQ(window->objectName(), "plant");
        EXPECT_EQ(window->windowTitle(), "工厂数据库");
        auto* connectionField = window->findChild<QLineEdit*>("plant-connection");
        auto* benchField = window->findChild<QLineEdit*>("plant-bench");
        EXPECT_EQ(connectionField->text().toStdString(), connection);
        EXPECT_EQ(benchField->text().toStdString(), bench);
        onNextModal<QMessageBox>([&answer, window, benchField](QMessageBox* box) {
            answer = box->text();
            box->accept();
            benchField->setText("bench-renamed");
            window->accept();
        });
        window->findChild<QPushButton*>("plant-test")->click();
    });
    program.window().action(FurtherWindow::Plant)->trigger();
    EXPECT_TRUE(answer.startsWith("连接成功: PostgreSQL 15")) << answer.toStdString();
    EXPECT_EQ(program.settings().getText("Plant", "Bench"), "bench-renamed");
    ASSERT_TRUE(runEventsUntil([&] { return status->text() == "工厂数据库: 已同步"; }, 20s));
    expectServerHolds(connection, "bench-renamed", runIdFrom(7), records);
}

// Two windows open at once on one computer: the second sends its own journal as the computer's
// name with "-2", and none of its records arrive under the first window's bench.
TEST(PlantWindow, TwoWindowsOnOneComputerSendAsTwoBenches) {
    const std::string connection = testConnection();
    std::vector<OutboxRecord> secondRecords{sampleRecord(1), sampleRecord(2)};
    {
        SyntheticJournal journal(journalOfWindow(2), runIdFrom(8));
        journal.append(secondRecords);
    }
    QtSettingsStore settings;
    settings.putText("Plant", "Connection", connection);
    settings.putText("Plant", "Bench", "");

    MensoraProgram first;
    first.window().show();
    auto* firstStatus = first.window().findChild<QLabel*>("plant-status");
    ASSERT_TRUE(runEventsUntil([&] { return firstStatus->text() == "工厂数据库: 已同步"; }, 20s));
    MensoraProgram second;
    second.window().show();
    auto* secondStatus = second.window().findChild<QLabel*>("plant-status");
    ASSERT_TRUE(runEventsUntil([&] { return secondStatus->text() == "工厂数据库: 已同步"; }, 20s))
        << secondStatus->text().toStdString();
    const std::string bench = QSysInfo::machineHostName().toStdString();
    expectServerHolds(connection, bench + "-2", runIdFrom(8), secondRecords);
    expectServerHolds(connection, bench, runIdFrom(8), {});
}

}  // namespace
}  // namespace mensora::test
