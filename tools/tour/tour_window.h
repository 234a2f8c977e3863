#pragma once
// One start of the program as the tour uses it: the real window, shown, used only through its
// controls, the way a person at the bench uses them.

#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>

#include "tools/tour/tour_failure.h"
#include "ui/mensora_program.h"
#include "tools/tour/run_events_until.h"

namespace mensora::tour {

// Lets everything run for a while, as a person watching the window.
void watch(std::chrono::milliseconds time);

class TourWindow {
public:
    // Starts the program on the running QApplication and shows its window.
    TourWindow();
    ~TourWindow();
    TourWindow(const TourWindow&) = delete;
    TourWindow& operator=(const TourWindow&) = delete;

    MainWindow& window() { return program_->window(); }
    const MensoraProgram& program() const { return *program_; }

    // What the control shows, trimmed.
    QString text(int id) const;
    bool isChecked(int id) const;
    // Clicks the button, check box or radio button; a disabled one cannot be clicked.
    void click(int id);
    // Selects what the field holds and types text over it, key by key.
    void type(int id, const QString& text);
    std::uint32_t records() const { return program_->store().count(); }

    // The control of an id, as the window holds it.
    QWidget& control(int id) const;

    // The whole window as it is drawn now, as a PNG file.
    void saveScreenshot(const QString& path);
    // The close box; true when the window went away.
    bool close();

private:
    std::unique_ptr<MensoraProgram> program_;
};

}  // namespace mensora::tour
