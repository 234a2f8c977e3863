#pragma once
// Handling the modal windows a test opens, as a user at the window would.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace mensora::test {

// Deals with the next boxes or menus, one handler each, as they open. The call that opens
// one returns only when it has closed, so a handler runs inside its event loop and must
// close it.
class NextModal {
public:
    using Handler = std::function<void(QWidget*)>;
    explicit NextModal(Handler handle) : NextModal(std::vector<Handler>{std::move(handle)}) {}
    explicit NextModal(std::vector<Handler> handlers) : handlers_(std::move(handlers)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            QWidget* open = QApplication::activePopupWidget();
            if (open == nullptr) open = QApplication::activeModalWidget();
            if (open == nullptr || (open == last_ && open->isVisible())) return;
            last_ = open;
            const Handler& handle = handlers_.at(static_cast<std::size_t>(seen_));
            if (++seen_ == static_cast<int>(handlers_.size())) poll_.stop();
            handle(open);
        });
        poll_.start(5);
    }
    int seen() const { return seen_; }

private:
    QTimer poll_;
    std::vector<Handler> handlers_;
    QPointer<QWidget> last_;
    int seen_ = 0;
};

}  // namespace mensora::test
