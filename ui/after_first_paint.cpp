#include "ui/after_first_paint.h"

#include <QEvent>
#include <QTimer>
#include <utility>

namespace mensora {
namespace {

// Watches one window until its first paint, then hands the action to the event loop and
// goes; a child of the action's owner, so that it goes with it.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& window, QObject& owner, std::function<void()> action)
        : QObject(&owner), window_(window), action_(std::move(action)) {
        window_.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint && action_) {
            window_.removeEventFilter(this);
            // Queued, so that the paint and its transfer to the screen finish first.
            QTimer::singleShot(0, this, [this] {
                const std::function<void()> action = std::exchange(action_, nullptr);
                deleteLater();
                action();
            });
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> action_;
};

}  // namespace

void afterFirstPaint(QWidget& window, QObject& owner, std::function<void()> action) {
    new FirstPaintWatch(window, owner, std::move(action));
}

}  // namespace mensora
