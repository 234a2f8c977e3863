#pragma once
// The record list as a table over the record store: the view asks for the cells it draws,
// the model reads them from the store's columns and the list texts. Nothing is copied per
// row, and each new record is one announced row, so a million rows cost what one does.

#include <QAbstractTableModel>
#include <cstdint>

#include "base/language.h"

namespace mensora {

class RecordStore;
class RecordListTexts;
class RecordTraces;

class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RecordListModel(const RecordStore& store, const RecordListTexts& texts,
                    const RecordTraces& traces, QObject* parent = nullptr);

    // Column titles in the interface language.
    void setLanguage(Language language);
    // The store has one more record than the list shows: show it.
    void rowAppended();
    // The store was emptied: the list is empty.
    void cleared();
    // The column of each record's characteristic, shown while a plan is in force.
    void showCharacteristics(bool shown);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const RecordStore& store_;
    const RecordListTexts& texts_;
    const RecordTraces& traces_;
    int columns_;  // the five of every record, and the characteristic with a plan in force
    Language language_ = Language::Chinese;
    // The rows the view has been told of: a row is shown only once it has been announced.
    int rows_ = 0;
};

}  // namespace mensora
