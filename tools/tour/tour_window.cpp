#include "tools/tour/tour_window.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QtTest/QTest>
#include <string>

#include "tools/tour/run_events_until.h"

namespace mensora::tour {

void watch(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

TourWindow::TourWindow() : program_(std::make_unique<MensoraProgram>()) {
    program_->window().show();
    watch(std::chrono::milliseconds(200));
}

TourWindow::~TourWindow() = default;

QWidget& TourWindow::control(int id) const {
    QWidget* widget = program_->window().control(id);
    if (widget == nullptr) throw TourFailure("the window has no control " + std::to_string(id));
    return *widget;
}

QString TourWindow::text(int id) const {
    return QString::fromStdString(program_->window().text(id)).trimmed();
}

bool TourWindow::isChecked(int id) const { return program_->window().isChecked(id); }

void TourWindow::click(int id) {
    auto* button = qobject_cast<QAbstractButton*>(&control(id));
    if (button == nullptr) throw TourFailure("control " + std::to_string(id) + " is no button");
    if (!button->isEnabled()) {
        throw TourFailure("the button \"" + button->text().toStdString() + "\" is not enabled");
    }
    button->click();
}

void TourWindow::type(int id, const QString& text) {
    auto* field = qobject_cast<QLineEdit*>(&control(id));
    if (field == nullptr) throw TourFailure("control " + std::to_string(id) + " is no field");
    if (!field->isEnabled()) {
        throw TourFailure("the field " + std::to_string(id) + " is locked");
    }
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
    if (field->text() != text) {
        throw TourFailure("typed \"" + text.toStdString() + "\" but the field holds \"" +
                          field->text().toStdString() + "\"");
    }
}

void TourWindow::saveScreenshot(const QString& path) {
    // Let the last records and statistics be drawn first.
    watch(std::chrono::milliseconds(300));
    if (!program_->window().grab().save(path, "PNG")) {
        throw TourFailure("cannot write the screenshot " + path.toStdString());
    }
}

bool TourWindow::close() {
    program_->window().close();
    watch(std::chrono::milliseconds(100));
    return !program_->window().isVisible();
}

}  // namespace mensora::tour
