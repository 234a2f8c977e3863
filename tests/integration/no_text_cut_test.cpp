// Nothing the window shows is ever cut: every caption in both languages, the captions the
// program puts on while it runs, the longest value each field can hold (statistics after a
// million records, counters at their largest, the longest status), the drop-down items and
// the record list's headings and cells. Each text's extent in its control's font is held
// against the room the control draws it in. ctest runs this at several screen scales.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTableView>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "base/control_table.h"
#include "base/number_text.h"
#include "base/texts.h"
#include "dialog/trace_form.h"
#include "measure/record_store.h"
#include "tests/integration/window_rig.h"
#include "ui/fitting_field.h"
#include "ui/fitting_label.h"

namespace mensora::test {
namespace {

using Texts = std::vector<std::string>;

// The longest texts of the floats the fields show ("%.6g"): six digits, a sign, a point and
// an exponent, or a fixed form with leading zeros.
Texts longestFloats() {
    return {formatFloat(-1.23457e-05f), formatFloat(-0.000123457f), formatFloat(-2147483.647f),
            formatFloat(-1234.567f),    formatFloat(999999.0f),     formatFloat(-8.88888e+37f)};
}

// What every field may hold at most, by control id.
std::map<int, Texts> longestValues() {
    const Texts floats = longestFloats();
    const Texts records = {formatUnsigned(kRecordCapacity)};
    const std::string largestUnsigned = formatUnsigned(std::numeric_limits<std::uint32_t>::max());
    return {
        // The gauge's widest readings: nine characters.
        {LiveValue, {"-1234.567", "-0.08765", "9999.9999", "-0012.345", "8888.8888"}},
        {AverageField, floats},
        {MaximumField, floats},
        {MinimumField, floats},
        {NominalField, floats},
        {UpperToleranceField, floats},
        {LowerToleranceField, floats},
        {CountField, records},
        {OkCountField, records},
        {OverUpperField, records},
        {UnderLowerField, records},
        {SampleIntervalField, {largestUnsigned}},
        {BadFrameField, {largestUnsigned}},
        {SilentPollField, {largestUnsigned}},
        {GoodFrameField, {formatSigned(std::numeric_limits<std::int32_t>::min())}},
        {StatusField, {"com16", "ASC", "AA"}},
        {UnitLabel, {"mm", "in", "°", "  ", "inch"}},
    };
}

// The captions a button takes while the program runs, besides the template's.
std::map<int, std::vector<Bilingual>> runtimeCaptions() {
    using namespace texts;
    return {
        {ConnectButton, {kConnectCaption, kDisconnectAsciiCaption, kDisconnectBcdCaption}},
        {AutoButton, {kAutoStartCaption, kAutoAfterDisconnectCaption, kAutoStopCaption}},
        {ParametersButton, {kParametersCaption, kConfirmCaption}},
    };
}

// Where QLineEdit draws its text: the contents less the margins it keeps on every side
// (two pixels across, one down) and the one-pixel cursor after the last character.
QRect lineEditTextRoom(const QLineEdit* field) {
    QStyleOptionFrame panel;
    panel.initFrom(field);
    panel.rect = field->rect();
    panel.lineWidth = field->hasFrame()
                          ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, field)
                          : 0;
    panel.features = QStyleOptionFrame::None;
    const QRect contents = field->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, field)
                               .marginsRemoved(field->textMargins());
    return contents.adjusted(2, 1, -3, -1);
}

class Walk {
public:
    explicit Walk(Language language) : language_(language) {}

    void fits(const QString& text, const QFont& font, const QRect& room, const std::string& what) {
        const QFontMetrics metrics(font);
        ++checked_;
        EXPECT_LE(metrics.horizontalAdvance(text), room.width())
            << what << " \"" << text.toStdString() << '"';
        EXPECT_LE(metrics.height(), room.height()) << what << " \"" << text.toStdString() << '"';
    }

    void field(QLineEdit* field, const std::string& text, const std::string& what) {
        field->setText(QString::fromStdString(text));
        fits(field->text(), field->font(), lineEditTextRoom(field), what);
    }

    void button(QPushButton* button, const QString& caption, const std::string& what) {
        button->setText(caption);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = caption;
        fits(caption, button->font(),
             button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button), what);
    }

    void label(FittingLabel* label, const std::string& what) {
        const QString shown = label->shownText();
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            room, static_cast<int>(Qt::TextWordWrap | label->alignment()), shown);
        ++checked_;
        EXPECT_LE(needed.width(), room.width()) << what << " \"" << shown.toStdString() << '"';
        EXPECT_LE(needed.height(), room.height()) << what << " \"" << shown.toStdString() << '"';
        // Only the English debug caption is longer than its box; it keeps the whole caption
        // for its tooltip.
        if (shown != label->text()) {
            EXPECT_TRUE(label->objectName() == "1039" && language_ == Language::English) << what;
        }
    }

    int checked() const { return checked_; }

private:
    Language language_;
    int checked_ = 0;
};

class NoTextCut : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(NoTextCut, EveryControlShowsItsWholeTextWithTheLongestValuesItCanHold) {
    WindowRig rig({{"Language", GetParam()}});
    const Language language = languageOf(GetParam());
    showAndSettle(rig.window);
    MainWindow& window = rig.window;
    Walk walk(language);
    const std::map<int, Texts> values = longestValues();
    const std::map<int, std::vector<Bilingual>> captions = runtimeCaptions();

    for (const DialogControl& c : controlTable()) {
        const std::string name = objectNameOf(c);
        QWidget* widget = window.findChild<QWidget*>(QString::fromStdString(name));
        ASSERT_NE(widget, nullptr) << name;
        const char* caption = captionFor(c, language);
        const QString shownCaption = caption == nullptr ? QString() : QString::fromUtf8(caption);
        const auto longest = values.find(c.id);

        if (auto* field = qobject_cast<FittingField*>(widget)) {
            ASSERT_NE(longest, values.end()) << name << " has no longest value to try";
            for (const std::string& text : longest->second) walk.field(field, text, name);
        } else if (auto* label = qobject_cast<FittingLabel*>(widget)) {
            if (longest != values.end()) {
                for (const std::string& text : longest->second) {
                    label->setText(QString::fromStdString(text));
                    walk.label(label, name);
                }
            } else {
                walk.label(label, name);
            }
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            walk.button(button, shownCaption, name);
            if (const auto more = captions.find(c.id); more != captions.end()) {
                for (const Bilingual& text : more->second) {
                    walk.button(button, QString::fromUtf8(pick(text, language)), name);
                }
            }
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.text = radio->text();
            walk.fits(
                radio->text(), radio->font(),
                radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio),
                name);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(check);
            option.text = check->text();
            walk.fits(check->text(), check->font(),
                      check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check),
                      name);
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.textAlignment = box->alignment();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            walk.fits(box->title(), box->font(), title, name);
            EXPECT_TRUE(box->rect().contains(title)) << name << " title outside its box";
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            // The edit part lies where the style puts the list's edit field.
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = true;
            option.subControls = QStyle::SC_All;
            const QRect edit = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                             QStyle::SC_ComboBoxEditField, list);
            EXPECT_EQ(list->lineEdit()->geometry(), edit) << name;
            for (int i = 0; i < list->count(); ++i) {
                walk.fits(list->itemText(i), list->lineEdit()->font(),
                          lineEditTextRoom(list->lineEdit()), name);
            }
        }
    }
    EXPECT_GE(walk.checked(), 80);
}

TEST_P(NoTextCut, TheRecordListShowsItsHeadingsAndItsWidestCellsWhole) {
    WindowRig rig({{"Language", GetParam()}});
    // The widest cells a record can have: a nine-character reading and the largest deviation
    // the field takes; the widest sequence number is measured below.
    rig.setJudging(8765.432f, 1.0f, -1.0f);
    rig.clock.setLocalStart({2026, 12, 31, 23, 59, 59});
    rig.record(-1234.567f, "-1234.567");
    showAndSettle(rig.window);
    auto* list = qobject_cast<QTableView*>(rig.window.control(RecordList));
    ASSERT_NE(list, nullptr);
    QHeaderView* header = list->horizontalHeader();
    const int headerMargin = list->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int cellMargin =
        list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QFontMetrics headings(header->font());
    const QFontMetrics cells(list->font());
    const std::string widestSequence = formatUnsigned(kRecordCapacity);
    for (int column = 0; column < list->model()->columnCount(); ++column) {
        const QString heading = list->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_LE(headings.horizontalAdvance(heading) + 2 * headerMargin,
                  header->sectionSize(column))
            << heading.toStdString();
        QString cell = list->model()->data(list->model()->index(0, column)).toString();
        if (column == 0) cell = QString::fromStdString(widestSequence);
        EXPECT_LE(cells.horizontalAdvance(cell) + 2 * cellMargin, list->columnWidth(column))
            << cell.toStdString();
        EXPECT_LE(cells.height(), list->verticalHeader()->defaultSectionSize()) << column;
    }
    // Every column lies inside the list's viewport: nothing hides behind its right edge.
    EXPECT_LE(header->length(), list->viewport()->width());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, NoTextCut,
                         ::testing::Values(kStoredChinese, kStoredEnglish));

// The window keeps the template's proportions at every scale of the screen: the dialog units
// are those of 宋体 at 10 points (7 × 14 pixels, 518 × 346 units about 906 × 605 pixels),
// measured on the face, not on the font engine's rendering at the scale. The line of the part
// and lot in force lies below the template.
TEST(WindowScale, TheClientAreaIsTheTemplatesSizeInDialogUnitsOfTheDialogFont) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    const DialogBaseUnits units = rig.window.baseUnits();
    EXPECT_EQ(units.x, 7);
    EXPECT_EQ(units.y, 14);
    const QRect client =
        toPixels({0, 0, kDialogWidthUnits, kDialogHeightUnits + kTraceLineUnits}, units);
    EXPECT_EQ(rig.window.height(), client.height());
    EXPECT_EQ(rig.window.width(), std::max(client.width(), rig.window.minimumWidth()));
    // With a caption bar of up to 50 pixels, above a task bar of 40 on a 768-pixel screen.
    EXPECT_LE(rig.window.height() + 50, 768 - 40);
}

}  // namespace
}  // namespace mensora::test
