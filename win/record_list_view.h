#pragma once
// The record list as a virtual list view: it holds no rows of its own. It is told how many
// rows the store holds, and asks for each cell as it draws it, so a million rows cost what
// the store costs.

#include <windows.h>
#include <commctrl.h>

#include "base/language.h"

namespace mensora {

class RecordStore;
class RecordListTexts;
class RecordTraces;

class RecordListView {
public:
    RecordListView(const RecordStore& store, const RecordListTexts& texts,
                   const RecordTraces& traces)
        : store_(store), texts_(texts), traces_(traces) {}

    void attach(HWND list) { list_ = list; }
    // Grid lines, full-row selection and the five centred columns of the language, as wide
    // as the dialog font's scale makes them.
    void setUp(Language language);
    // The list moved to a monitor of another scale: the columns follow.
    void scaleColumns();
    // The column of each record's characteristic, shown while a plan is in force.
    void showCharacteristics(bool shown);
    // The store has more records than the list shows: show them.
    void appended();
    void cleared();
    void scrollToEnd();
    // A cell the list is about to draw.
    void fillCell(NMLVDISPINFOW& request);
    // A step of the list's drawing: a row of the warning zone is drawn in amber. The answer
    // is the notification's result.
    LRESULT shadeRow(NMLVCUSTOMDRAW& draw) const;

private:
    int columnWidth(int column) const;
    void insertColumn(int column, int place);

    const RecordStore& store_;
    const RecordListTexts& texts_;
    const RecordTraces& traces_;
    bool characteristics_ = false;  // the column of each record's characteristic is there
    HWND list_ = nullptr;
    Language language_ = Language::Chinese;  // of the columns' widths
    int rows_ = 0;                           // the rows the list has been told of
};

}  // namespace mensora
