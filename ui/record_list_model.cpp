#include "ui/record_list_model.h"

#include <string_view>

#include "base/texts.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"

namespace mensora {
namespace {

enum Column { SeqColumn, ValueColumn, ErrorColumn, ResultColumn, TimeColumn, ColumnCount };

// Sequence, deviation and time fields hold only ASCII.
QString fromAscii(std::string_view field) {
    return QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()));
}

}  // namespace

RecordListModel::RecordListModel(const RecordStore& store, const RecordListTexts& texts,
                                 QObject* parent)
    : QAbstractTableModel(parent),
      store_(store),
      texts_(texts),
      rows_(static_cast<int>(store.count())) {}

void RecordListModel::setLanguage(Language language) {
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
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
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::uint32_t>(index.row());
    switch (index.column()) {
        case SeqColumn: return fromAscii(store_.seqField(row));
        case ValueColumn: {
            const std::string_view text = texts_.valueText(row);
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        }
        case ErrorColumn: return fromAscii(store_.errorField(row));
        case ResultColumn: return QString::fromUtf8(texts_.verdictText(row));
        case TimeColumn: return fromAscii(store_.timeField(row));
        default: return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    return QString::fromUtf8(pick(texts::kListColumns[section].title, language_));
}

}  // namespace mensora
