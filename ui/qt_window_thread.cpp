#include "ui/qt_window_thread.h"

#include <utility>

namespace mensora {

void QtWindowThread::post(std::function<void()> call) {
    QMetaObject::invokeMethod(&receiver_, std::move(call), Qt::QueuedConnection);
}

}  // namespace mensora
