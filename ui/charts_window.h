#pragma once
// The quality charts beside the main window: the capability figures as numbers, the run
// chart and the histogram, and a button that saves them as a picture. Not modal; it keeps
// the size the user gives it and follows the records while it is open, redrawing at most ten
// times a second from a timer, so that recording never waits for a drawing.

#include <QTimer>
#include <QWidget>
#include <array>

#include "base/acquisition_state.h"
#include "base/settings_store.h"
#include "charts/chart_data.h"
#include "charts/chart_inputs.h"
#include "charts/chart_source.h"
#include "charts/charts_follower.h"
#include "charts/figure_text.h"
#include "charts/rule_set.h"

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace mensora {

class ChartsView;

class ChartsWindow : public QWidget {
    Q_OBJECT
public:
    // The state is read for the interface language at each look.
    ChartsWindow(ChartSource& source, const AcquisitionState& state, SettingsStore& settings,
                 QWidget* parent);

    // Shows the window up to date, or brings it to the front.
    void open();
    ChartInputs inputs() const;
    // The picture a save writes: the figures above the charts, at the view's size.
    QImage picture() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // At the first showing: beside the main window or over its record list.
    void placeOnScreen();
    void follow();
    void retranslate();
    // The characteristics to choose from, shown only while a plan is in force.
    void fillChoice();
    // The subgroup size, the rules checked and which limits may be fixed or freed.
    void showControl();
    void chooseRules();
    // Fixing and freeing the limits beside the subgroup size and the rules where the window is
    // wide enough for them, else in a row of their own under them: never cut.
    void placeLimitButtons();
    void savePicture();

    ChartsFollower follower_;
    QLabel* trace_;
    std::array<QLabel*, kFigureCount> names_{};
    std::array<QLabel*, kFigureCount> figures_{};
    QLabel* warningsName_ = nullptr;
    QLabel* warnings_ = nullptr;
    QLabel* limits_;
    ChartsView* view_;
    QComboBox* choice_;
    QLabel* subgroupLabel_;
    QSpinBox* subgroup_;
    QToolButton* rules_;
    std::array<QAction*, kRuleCount> ruleActions_{};
    QPushButton* fix_;
    QPushButton* unfix_;
    QWidget* limitButtons_;
    QHBoxLayout* controlRow_;
    QHBoxLayout* wrappedRow_;
    QPushButton* save_;
    QTimer ticker_;
    bool placed_ = false;
};

}  // namespace mensora
