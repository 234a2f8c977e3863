// The real main window, offscreen, in both languages: every control of the template at its
// place with its caption, nothing cut off, the record area following the window's height,
// and clicks, keys and boxes reaching the MainDialog behind it.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFontMetrics>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/control_table.h"
#include "base/texts.h"
#include "base/timer_ids.h"
#include "dialog/trace_form.h"
#include "tests/integration/file_name_typing.h"
#include "tests/integration/next_modal.h"
#include "tests/integration/window_rig.h"
#include "ui/dialog_units.h"
#include "ui/fitting_field.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"

namespace mensora::test {
namespace {

// Reads a message box and presses its button.
struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
std::function<void(QWidget*)> readAndPress(BoxSeen& seen, QMessageBox::StandardButton press) {
    return [&seen, press](QWidget* open) {
        auto* box = qobject_cast<QMessageBox*>(open);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon()};
        box->button(press)->click();
    };
}

void pressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

QString captionOf(const DialogControl& c, std::int32_t language) {
    const char* caption = captionFor(c, languageOf(language));
    return caption == nullptr ? QString() : QString::fromUtf8(caption);
}

QWidget* widgetOf(const MainWindow& window, const DialogControl& c) {
    return window.findChild<QWidget*>(QString::fromStdString(objectNameOf(c)));
}

class MainWindowTest : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(MainWindowTest, EveryControlOfTheTemplateIsThereWithItsKindAndCaption) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    for (const DialogControl& c : controlTable()) {
        SCOPED_TRACE(objectNameOf(c));
        QWidget* widget = widgetOf(rig.window, c);
        ASSERT_NE(widget, nullptr);
        const QString caption = captionOf(c, language);
        switch (c.kind) {
            case ControlKind::GroupBox:
                ASSERT_TRUE(qobject_cast<QGroupBox*>(widget));
                EXPECT_EQ(qobject_cast<QGroupBox*>(widget)->title(), caption);
                break;
            case ControlKind::Label:
                ASSERT_TRUE(qobject_cast<QLabel*>(widget));
                EXPECT_EQ(qobject_cast<QLabel*>(widget)->text(), caption);
                break;
            case ControlKind::Edit:
            case ControlKind::ReadOnlyDisplay:
                ASSERT_TRUE(qobject_cast<QLineEdit*>(widget));
                if (c.kind == ControlKind::ReadOnlyDisplay) {
                    EXPECT_FALSE(widget->isEnabled());
                }
                break;
            case ControlKind::PushButton: {
                auto* button = qobject_cast<QPushButton*>(widget);
                ASSERT_TRUE(button);
                EXPECT_EQ(button->text(), caption);
                EXPECT_FALSE(button->autoDefault());
                EXPECT_FALSE(button->isDefault());
                break;
            }
            case ControlKind::DropDown:
                ASSERT_TRUE(qobject_cast<QComboBox*>(widget));
                EXPECT_TRUE(qobject_cast<QComboBox*>(widget)->isEditable());
                break;
            case ControlKind::ListView: ASSERT_TRUE(qobject_cast<QTableView*>(widget)); break;
            case ControlKind::RadioButton:
                ASSERT_TRUE(qobject_cast<QRadioButton*>(widget));
                EXPECT_EQ(qobject_cast<QRadioButton*>(widget)->text(), caption);
                break;
            case ControlKind::CheckBox:
                ASSERT_TRUE(qobject_cast<QCheckBox*>(widget));
                EXPECT_EQ(qobject_cast<QCheckBox*>(widget)->text(), caption);
                break;
        }
    }
    EXPECT_EQ(rig.window.windowTitle(), "Mensora V3.8.0");
    EXPECT_EQ(rig.window.isChecked(EnglishRadio), language == kStoredEnglish);
    EXPECT_EQ(rig.window.isChecked(ChineseRadio), language != kStoredEnglish);
}

TEST_P(MainWindowTest, ControlsSitWhereTheTemplatePutsThemRelativeToEachOther) {
    WindowRig rig({{"Language", GetParam()}});
    const DialogBaseUnits units = rig.window.baseUnits();
    // The dialog font's units: a Chinese character is about two average Latin letters wide.
    EXPECT_GE(units.x * 2, rig.window.font().pixelSize());
    EXPECT_GE(units.y, rig.window.font().pixelSize());

    struct Placed {
        const DialogControl* row;
        QRect place;
    };
    std::vector<Placed> placed;
    for (const DialogControl& c : controlTable()) {
        QWidget* widget = widgetOf(rig.window, c);
        ASSERT_NE(widget, nullptr) << objectNameOf(c);
        const QRect expected = toPixels(c.rect, units);
        EXPECT_EQ(widget->x(), expected.x()) << objectNameOf(c);
        EXPECT_EQ(widget->y(), expected.y()) << objectNameOf(c);
        EXPECT_EQ(widget->width(), expected.width()) << objectNameOf(c);
        if (c.kind != ControlKind::DropDown) {
            EXPECT_EQ(widget->height(), expected.height()) << objectNameOf(c);
        }
        placed.push_back({&c, widget->geometry()});
    }
    const auto order = [](int a, int b) { return (a > b) - (a < b); };
    for (const Placed& a : placed) {
        for (const Placed& b : placed) {
            const DialogRect& ra = a.row->rect;
            const DialogRect& rb = b.row->rect;
            const std::string pair = objectNameOf(*a.row) + " / " + objectNameOf(*b.row);
            EXPECT_EQ(order(a.place.left(), b.place.left()), order(ra.x, rb.x)) << pair;
            EXPECT_EQ(order(a.place.top(), b.place.top()), order(ra.y, rb.y)) << pair;
            EXPECT_EQ(order(a.place.x() + a.place.width(), b.place.x() + b.place.width()),
                      order(ra.x + ra.width, rb.x + rb.width))
                << pair;
        }
    }
}

TEST_P(MainWindowTest, TheLiveReadingAndItsUnitShowInLargeBoldType) {
    WindowRig rig({{"Language", GetParam()}});
    for (const int id : {LiveValue, UnitLabel}) {
        // The live field's full type: a long typed text may have made it smaller.
        const QWidget* widget = rig.window.control(id);
        const auto* field = qobject_cast<const FittingField*>(widget);
        const QFont font = field != nullptr ? field->fullFont() : widget->font();
        // 70 pixels is the cell (ascent and descent), not the em: the largest size that keeps it.
        EXPECT_EQ(fontCellHeight(font), 70) << id;
        QFont larger = font;
        larger.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(fontCellHeight(larger), 70) << id;
        EXPECT_TRUE(font.bold()) << id;
        // Fixed-width: every character of a reading as wide as the others, so that the digits
        // keep their places as the reading changes.
        const QFontMetrics metrics(font);
        for (const QChar c : QStringLiteral("0123456789.-+ ")) {
            EXPECT_EQ(metrics.horizontalAdvance(c), metrics.horizontalAdvance(QLatin1Char('0')))
                << id << " '" << QString(c).toStdString() << "'";
        }
    }
    EXPECT_EQ(rig.window.font().pixelSize(), 13);  // 10 points at 96 dots per inch
    EXPECT_EQ(rig.window.control(LiveValue)->font().family(),
              rig.window.control(UnitLabel)->font().family());
}

TEST_P(MainWindowTest, TheListsOfferTheirItemsAndAFirstRunSelectsNoSoundAndMillimetres) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    auto* sound = qobject_cast<QComboBox*>(rig.window.control(SoundList));
    auto* unit = qobject_cast<QComboBox*>(rig.window.control(UnitList));
    const QStringList soundItems =
        language == kStoredEnglish ? QStringList{"off", "on"} : QStringList{"无", "有"};
    ASSERT_EQ(sound->count(), 2);
    EXPECT_EQ(sound->itemText(0), soundItems[0]);
    EXPECT_EQ(sound->itemText(1), soundItems[1]);
    EXPECT_EQ(sound->currentText(), soundItems[0]);
    ASSERT_EQ(unit->count(), 4);
    EXPECT_EQ(unit->itemText(2), QString("°  "));
    EXPECT_EQ(unit->currentText(), "mm");
    EXPECT_EQ(rig.window.text(NominalField), "2");
    EXPECT_EQ(rig.window.text(SampleIntervalField), "200");

    // Text typed into the edit part selects the item it spells, and nothing otherwise.
    unit->setEditText("inch");
    EXPECT_EQ(rig.window.selectedListItem(UnitList), 1);
    unit->setEditText("cm");
    EXPECT_EQ(rig.window.selectedListItem(UnitList), -1);
    EXPECT_EQ(unit->count(), 4);
    rig.window.selectListItem(SoundList, 255);
    EXPECT_EQ(rig.window.selectedListItem(SoundList), -1);
    EXPECT_EQ(sound->currentText(), "");
}

TEST_P(MainWindowTest, TheRecordListHasFiveCentredColumnsOfFixedWidthAndFixedRows) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    auto* list = qobject_cast<QTableView*>(rig.window.control(RecordList));
    ASSERT_EQ(list->model()->columnCount(), 5);
    for (int column = 0; column < 5; ++column) {
        const texts::ListColumn& heading = texts::kListColumns[column];
        EXPECT_EQ(list->columnWidth(column),
                  language == kStoredEnglish ? heading.englishWidth : heading.chineseWidth);
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromUtf8(pick(heading.title, languageOf(language))));
    }
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(list->verticalHeader()->isVisible());
    EXPECT_EQ(list->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);

    rig.dialog.onCommand(ManualButton);
    rig.dialog.onCommand(ManualButton);
    rig.window.showFrameNow();
    EXPECT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->data(list->model()->index(1, 0)).toString(), "000002");
    rig.window.recordListCleared();
    EXPECT_EQ(list->model()->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MainWindowTest,
                         ::testing::Values(kStoredChinese, kStoredEnglish));

int bottomOf(const QWidget* widget) { return widget->y() + widget->height(); }

TEST(MainWindowSize, TheRecordAreaFollowsTheHeightAndComesBackUpToTruncation) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    MainWindow& window = rig.window;
    // The minimum tracking size holds for the window with its frame, the line of the part
    // and lot in force below the template added; the rule works on the height above it.
    const int band = toPixels({0, 0, 0, kTraceLineUnits}, window.baseUnits()).height();
    const QSize frame = window.frameGeometry().size() - window.size();
    EXPECT_EQ(window.minimumSize() + frame, QSize(918, 599 + band));
    const int lowest = window.minimumHeight();
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const int height = window.height();
    const int listBottom = bottomOf(window.control(RecordList));
    const int groupBottom = bottomOf(window.control(RecordGroup));
    const QRect button = window.control(ParametersButton)->geometry();

    window.resize(window.width(), lowest);
    QApplication::processEvents();
    EXPECT_EQ(bottomOf(window.control(RecordList)), listBottom * (lowest - band) / (height - band));
    EXPECT_EQ(bottomOf(window.control(RecordGroup)),
              groupBottom * (lowest - band) / (height - band));
    EXPECT_EQ(window.control(ParametersButton)->geometry(), button) << "other controls stay";
    EXPECT_EQ(window.findChild<QWidget*>("trace-line")->y(), lowest - band);

    window.resize(window.width(), height);
    QApplication::processEvents();
    const int back = bottomOf(window.control(RecordList));
    EXPECT_LE(back, listBottom);
    EXPECT_LE(listBottom - back, height / lowest + 1);
    EXPECT_EQ(window.control(RecordList)->y(), toPixels({0, 66, 0, 0}, window.baseUnits()).y());
}

TEST(MainWindowSize, MinimisingAndRestoringLeavesTheRecordListAsItWas) {
    WindowRig rig({{"Language", kStoredEnglish}});
    showAndSettle(rig.window);
    MainWindow& window = rig.window;
    const QRect list = window.control(RecordList)->geometry();
    const QSize normal = window.size();
    // Some platforms report a client of no height while the window is minimised.
    window.setWindowState(Qt::WindowMinimized);
    QResizeEvent minimised(QSize(normal.width(), 0), normal);
    QApplication::sendEvent(&window, &minimised);
    EXPECT_EQ(window.control(RecordList)->geometry(), list);

    window.setWindowState(Qt::WindowNoState);
    QResizeEvent restored(normal, QSize(normal.width(), 0));
    QApplication::sendEvent(&window, &restored);
    EXPECT_EQ(window.control(RecordList)->geometry(), list);
}

TEST(MainWindowInput, ClickingEnglishInTheChineseWindowAsksForARestartInEnglishAndStores2) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    BoxSeen seen;
    NextModal box(readAndPress(seen, QMessageBox::Ok));
    qobject_cast<QRadioButton*>(rig.window.control(EnglishRadio))->click();

    EXPECT_EQ(box.seen(), 1);
    EXPECT_EQ(seen.text, QString::fromUtf8(texts::kLanguageChanged.english));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, applicationCaption());
    EXPECT_EQ(rig.settings.values.at("Language"), 2);
    EXPECT_EQ(rig.window.text(ConnectButton), "打开设备");
    EXPECT_FALSE(rig.window.isChecked(ChineseRadio));
}

TEST(MainWindowInput, TheAutosaveBoxSwitchesTheMinuteTimer) {
    WindowRig rig({{"Language", kStoredChinese}});
    qobject_cast<QCheckBox*>(rig.window.control(AutosaveCheck))->click();
    EXPECT_TRUE(rig.clock.isArmed(AutosaveTimer));
    qobject_cast<QCheckBox*>(rig.window.control(AutosaveCheck))->click();
    EXPECT_FALSE(rig.clock.isArmed(AutosaveTimer));
}

TEST(MainWindowInput, EnterWithANonNumberInAParameterKeepsTheWindowOpenOnThatField) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    MainWindow& window = rig.window;
    window.enable(NominalField, true);
    window.setText(NominalField, "abc");
    window.control(LiveValue)->setFocus();

    BoxSeen seen;
    NextModal box(readAndPress(seen, QMessageBox::Ok));
    pressKey(window.control(LiveValue), Qt::Key_Return);

    EXPECT_EQ(box.seen(), 1);
    EXPECT_EQ(seen.text, QString::fromUtf8(texts::kNotANumber));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.focusWidget(), window.control(NominalField));
    EXPECT_EQ(qobject_cast<QLineEdit*>(window.control(NominalField))->selectedText(), "abc");
}

TEST(MainWindowInput, EnterOnAFocusedButtonPressesThatButtonAndKeepsTheWindowOpen) {
    WindowRig rig({{"Language", kStoredEnglish}});
    showAndSettle(rig.window);
    QWidget* parameters = rig.window.control(ParametersButton);
    parameters->setFocus();
    pressKey(parameters, Qt::Key_Return);
    EXPECT_EQ(rig.window.text(ParametersButton), "OK");
    EXPECT_TRUE(rig.window.isVisible());
}

TEST(MainWindowInput, EnterWithEveryFieldReadableClosesTheWindow) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    rig.window.control(LiveValue)->setFocus();
    pressKey(rig.window.control(LiveValue), Qt::Key_Enter);
    EXPECT_FALSE(rig.window.isVisible());
}

TEST(MainWindowInput, EscapeClosesTheWindowAtOnce) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    pressKey(&rig.window, Qt::Key_Escape);
    EXPECT_FALSE(rig.window.isVisible());
}

TEST(MainWindowInput, TheCloseBoxAsksFirstWhileRecordsAreUnsavedAndNoKeepsTheWindow) {
    WindowRig rig({{"Language", kStoredChinese}});
    showAndSettle(rig.window);
    rig.dialog.onCommand(ManualButton);

    BoxSeen seen;
    NextModal question(readAndPress(seen, QMessageBox::No));
    EXPECT_FALSE(rig.window.close());
    EXPECT_EQ(question.seen(), 1);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(rig.window.isVisible());

    NextModal yes(readAndPress(seen, QMessageBox::Yes));
    EXPECT_TRUE(rig.window.close());
    EXPECT_FALSE(rig.window.isVisible());
}

TEST(MainWindowBoxes, MessagesCarryTheProgramNameOkAndTheirIcon) {
    WindowRig rig({{"Language", kStoredChinese}});
    for (const auto& [icon, shown] : {std::pair{MessageIcon::Exclamation, QMessageBox::Warning},
                                      std::pair{MessageIcon::Stop, QMessageBox::Critical}}) {
        BoxSeen seen;
        NextModal box([&seen](QWidget* open) {
            auto* message = qobject_cast<QMessageBox*>(open);
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->standardButtons(), QMessageBox::Ok);
            seen = {message->windowTitle(), message->text(), message->icon()};
            message->button(QMessageBox::Ok)->click();
        });
        rig.window.showMessage("设备已断开!", icon);
        EXPECT_EQ(seen.title, "integration_main_window_test");
        EXPECT_EQ(seen.text, "设备已断开!");
        EXPECT_EQ(seen.icon, shown);
    }
}

TEST(MainWindowBoxes, TheYesNoQuestionDefaultsToNo) {
    WindowRig rig({{"Language", kStoredChinese}});
    NextModal box([](QWidget* open) {
        auto* question = qobject_cast<QMessageBox*>(open);
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
        question->defaultButton()->click();
    });
    EXPECT_FALSE(rig.window.askYesNo("?"));
    EXPECT_EQ(box.seen(), 1);
}

TEST(MainWindowBoxes, TheSaveDialogOffersTheNameAndTheTypesAndReturnsTheChoice) {
    WindowRig rig({{"Language", kStoredChinese}});
    QTemporaryDir folder;
    const QString chosen = QDir(folder.path()).filePath("shift1.xls");
    NextModal dialog([&chosen](QWidget* open) {
        auto* files = qobject_cast<QFileDialog*>(open);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(files->nameFilters(),
                  (QStringList{"Worksheet Files (*.xls)", "Excel Workbook (*.xlsx)"}));
        EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_FALSE(files->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_FALSE(files->testOption(QFileDialog::ReadOnly));
        ASSERT_FALSE(files->selectedFiles().isEmpty());
        EXPECT_TRUE(files->selectedFiles().first().endsWith("/MensoraRecord.xls"));
        test::typeFileName(*files, chosen);
        QMetaObject::invokeMethod(files, "accept");
    });
    const std::vector<std::string> types{"Worksheet Files (*.xls)", "Excel Workbook (*.xlsx)"};
    const auto path = rig.window.askSavePath("MensoraRecord.xls", types);
    ASSERT_TRUE(path);
    EXPECT_EQ(QString::fromStdString(path->path), chosen);
    EXPECT_EQ(path->fileType, 0u);

    // A name typed without an extension is given the extension of the type showing.
    for (const int type : {0, 1}) {
        NextModal bare([&folder, &types, type](QWidget* open) {
            auto* files = qobject_cast<QFileDialog*>(open);
            ASSERT_NE(files, nullptr);
            const QString filter = QString::fromStdString(types[static_cast<std::size_t>(type)]);
            files->selectNameFilter(filter);
            emit files->filterSelected(filter);
            test::typeFileName(*files, QDir(folder.path()).filePath("shift2"));
            QMetaObject::invokeMethod(files, "accept");
        });
        const auto completed = rig.window.askSavePath("MensoraRecord.xls", types);
        ASSERT_TRUE(completed);
        EXPECT_EQ(
            completed->path,
            QDir(folder.path()).filePath(type == 0 ? "shift2.xls" : "shift2.xlsx").toStdString());
        EXPECT_EQ(completed->fileType, static_cast<std::size_t>(type));
    }

    NextModal cancel([](QWidget* open) { qobject_cast<QDialog*>(open)->reject(); });
    EXPECT_FALSE(rig.window.askSavePath("MensoraRecord.xls", types));
    EXPECT_EQ(cancel.seen(), 1);
}

TEST(MainWindowBoxes, TheAboutItemOfTheWindowMenuAndF1OpenTheAboutBox) {
    WindowRig rig({{"Language", kStoredEnglish}});
    showAndSettle(rig.window);
    QString aboutText;
    const auto readAbout = [&aboutText](QWidget* open) {
        auto* box = qobject_cast<QMessageBox*>(open);
        ASSERT_NE(box, nullptr);
        aboutText = box->text();
        box->button(QMessageBox::Ok)->click();
    };

    const auto chooseAbout = [](QWidget* open) {
        auto* menu = qobject_cast<QMenu*>(open);
        ASSERT_NE(menu, nullptr);
        // The quality charts come first, then the part and lot, the inspection plan, the
        // earlier runs, the plant database, About last.
        ASSERT_EQ(menu->actions().size(), 7);
        EXPECT_EQ(menu->actions().first()->objectName(), "action-charts");
        EXPECT_EQ(menu->actions().at(1)->objectName(), "action-trace");
        EXPECT_EQ(menu->actions().at(2)->objectName(), "action-plan");
        EXPECT_EQ(menu->actions().at(3)->objectName(), "action-gauge-study");
        EXPECT_EQ(menu->actions().at(4)->objectName(), "action-runs");
        EXPECT_EQ(menu->actions().at(5)->objectName(), "action-plant");
        EXPECT_EQ(menu->actions().last()->text(), "关于 Mensora(&A)...");
        menu->setActiveAction(menu->actions().last());
        pressKey(menu, Qt::Key_Return);
    };
    NextModal menuThenBox(std::vector<NextModal::Handler>{chooseAbout, readAbout});
    const QPoint background(rig.window.width() - 20, rig.window.height() - 5);
    QContextMenuEvent click(QContextMenuEvent::Mouse, background,
                            rig.window.mapToGlobal(background));
    QApplication::sendEvent(&rig.window, &click);
    EXPECT_EQ(menuThenBox.seen(), 2);
    EXPECT_TRUE(aboutText.contains("3.8.0"));

    aboutText.clear();
    NextModal f1(readAbout);
    pressKey(rig.window.focusWidget() ? rig.window.focusWidget() : &rig.window, Qt::Key_F1);
    EXPECT_EQ(f1.seen(), 1);
    EXPECT_TRUE(aboutText.contains("3.8.0"));
}

}  // namespace
}  // namespace mensora::test
