#pragma once
// The window 历史记录 / Earlier runs on Linux: it draws what the earlier runs decide, placed
// by the runs form in the dialog font.

#include <QDialog>

#include "base/language.h"
#include "dialog/earlier_runs.h"

class QListWidget;

namespace mensora {

class RunsWindow : public QDialog, public RunsWindowPort {
    Q_OBJECT
public:
    RunsWindow(EarlierRuns& runs, Language language, QWidget* parent);
    ~RunsWindow() override;

    void runsRead() override;

private:
    std::optional<std::size_t> chosen() const;

    EarlierRuns& runs_;
    QListWidget* list_;
};

}  // namespace mensora
