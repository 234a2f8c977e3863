#pragma once
// The record list's table. New records only ever come below the others, and then nothing
// above them moves: the table takes them in without drawing again every row in sight, as a
// table does after any change of its rows, so that a frame costs the rows it adds.

#include <QTableView>

namespace mensora {

class RecordListModel;

class RecordTableView : public QTableView {
    Q_OBJECT
public:
    RecordTableView(RecordListModel* model, QWidget* parent);

    // The store holds records the table does not show yet: show them.
    void showNewRows();

protected:
    void doItemsLayout() override;

private:
    RecordListModel* model_;
    int firstNewRow_ = -1;  // while new rows are taken in
};

}  // namespace mensora
