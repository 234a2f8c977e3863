#include "ui/record_list_model.h"

#include <QBrush>
#include <QColor>
#include <string_view>

#include "measure/record_list_cells.h"
#include "measure/record_store.h"

namespace mensora {

RecordListModel::RecordListModel(const RecordStore& store, const RecordListTexts& texts,
                                 const RecordTraces& traces, QObject* parent)
    : QAbstractTableModel(parent),
      store_(store),
      texts_(texts),
      traces_(traces),
      columns_(RecordListColumnCount),
      rows_(static_cast<int>(store.count())) {}

void RecordListModel::setLanguage(Language language) {
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void RecordListModel::showCharacteristics(bool shown) {
    const int columns = shown ? kCharacteristicColumn + 1 : RecordListColumnCount;
    if (columns == columns_) return;
    if (shown) {
        beginInsertColumns(QModelIndex(), columns_, columns - 1);
        columns_ = columns;
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), columns, columns_ - 1);
        columns_ = columns;
        endRemoveColumns();
    }
}

void RecordListModel::rowAppended() {
    const int held = static_cast<int>(store_.count());
    if (held <= rows_) return;
    beginInsertRows(QModelIndex(), rows_, held - 1);
    rows_ = held;
    endInsertRows();
}

void RecordListModel::cleared() {
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role == Qt::BackgroundRole || role == Qt::ForegroundRole) {
        const auto shade = recordListShade(texts_, static_cast<std::uint32_t>(index.row()));
        if (!shade) return {};
        return QBrush(
            QColor::fromRgb(role == Qt::BackgroundRole ? shade->background : shade->text));
    }
    if (role != Qt::DisplayRole) return {};
    if (index.column() >= columns_) return {};
    const std::string text = recordListCell(
        store_, texts_, traces_, static_cast<std::uint32_t>(index.row()), index.column());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    return QString::fromUtf8(recordListTitle(section, language_));
}

}  // namespace mensora
