#include "win/record_list_view.h"

#include "base/dialog_units.h"
#include "base/wide_text.h"
#include "measure/record_list_cells.h"
#include "measure/record_store.h"

namespace mensora {

void RecordListView::setUp(Language language) {
    language_ = language;
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    while (ListView_DeleteColumn(list_, 0)) {
    }
    // The first column of a list view always keeps its text left; a column put first and
    // removed again leaves the real first column centred like the others.
    LVCOLUMNW placeholder{};
    placeholder.mask = LVCF_WIDTH;
    ListView_InsertColumn(list_, 0, &placeholder);
    for (int column = 0; column < RecordListColumnCount; ++column) insertColumn(column, column + 1);
    ListView_DeleteColumn(list_, 0);
    characteristics_ = false;
}

// A centred column of the list, titled and as wide as the language makes it, at `place`.
void RecordListView::insertColumn(int column, int place) {
    std::wstring title = wide(recordListTitle(column, language_));
    LVCOLUMNW heading{};
    heading.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    heading.fmt = LVCFMT_CENTER;
    heading.cx = columnWidth(column);
    heading.pszText = title.data();
    heading.iSubItem = column;
    ListView_InsertColumn(list_, place, &heading);
}

// A column's width grows with the dialog font's horizontal unit, as the list itself does, so
// that the columns fill the list alike at every scale.
int RecordListView::columnWidth(int column) const {
    RECT unit{0, 0, 4, 0};
    MapDialogRect(GetParent(list_), &unit);
    return MulDiv(recordListWidth(column, language_), unit.right, kBenchBaseUnits.x);
}

void RecordListView::scaleColumns() {
    const int columns = characteristics_ ? kCharacteristicColumn + 1 : RecordListColumnCount;
    for (int column = 0; column < columns; ++column) {
        ListView_SetColumnWidth(list_, column, columnWidth(column));
    }
}

void RecordListView::showCharacteristics(bool shown) {
    if (shown == characteristics_) return;
    characteristics_ = shown;
    if (shown) {
        insertColumn(kCharacteristicColumn, kCharacteristicColumn);
    } else {
        ListView_DeleteColumn(list_, kCharacteristicColumn);
    }
}

void RecordListView::appended() {
    const int held = static_cast<int>(store_.count());
    if (held <= rows_) return;
    rows_ = held;
    ListView_SetItemCountEx(list_, rows_, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void RecordListView::cleared() {
    rows_ = 0;
    ListView_SetItemCountEx(list_, 0, 0);
}

void RecordListView::scrollToEnd() {
    if (rows_ > 0) ListView_EnsureVisible(list_, rows_ - 1, FALSE);
}

namespace {

COLORREF colourRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

LRESULT RecordListView::shadeRow(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto row = static_cast<std::uint32_t>(draw.nmcd.dwItemSpec);
    if (row >= static_cast<std::uint32_t>(rows_)) return CDRF_DODEFAULT;
    if (const std::optional<RowShade> shade = recordListShade(texts_, row)) {
        draw.clrTextBk = colourRef(shade->background);
        draw.clrText = colourRef(shade->text);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void RecordListView::fillCell(NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
    if (item.iItem < 0 || item.iItem >= rows_) return;
    const std::wstring cell = wide(recordListCell(
        store_, texts_, traces_, static_cast<std::uint32_t>(item.iItem), item.iSubItem));
    lstrcpynW(item.pszText, cell.c_str(), item.cchTextMax);
}

}  // namespace mensora
