#include "ui/record_table_view.h"

#include <QScrollBar>

#include "ui/record_list_model.h"

namespace mensora {

RecordTableView::RecordTableView(RecordListModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
    setModel(model);
    // A list scrolled to its end stays there when its room shrinks: the scroll bars come up
    // only after the rows that need them, and the last record must not slip under them.
    QScrollBar* scroll = verticalScrollBar();
    connect(scroll, &QScrollBar::rangeChanged, this, [scroll, end = 0](int, int last) mutable {
        if (scroll->value() == end) scroll->setValue(last);
        end = last;
    });
}

void RecordTableView::showNewRows() {
    firstNewRow_ = model_->rowCount();
    model_->rowAppended();
    // The layout that the new rows asked for, now, while it is known what they changed.
    executeDelayedItemsLayout();
    firstNewRow_ = -1;
}

void RecordTableView::doItemsLayout() {
    if (firstNewRow_ < 0) {
        QTableView::doItemsLayout();
        return;
    }
    // Only the scroll range grows, and only from the first new row down is there anything
    // new to draw; a scroll to the end then moves what is drawn and draws what comes in.
    updateGeometries();
    const int top = visualRect(model_->index(firstNewRow_, 0)).top();
    if (top < viewport()->height()) {
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
    }
}

}  // namespace mensora
