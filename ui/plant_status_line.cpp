#include "ui/plant_status_line.h"

#include "base/control_ids.h"

namespace mensora {

PlantStatusLine::PlantStatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QString::fromUtf8(controlName(kPlantLine)));
    setIndent(6);
    hide();
}

void PlantStatusLine::show(const std::optional<PlantStatus>& status, Language language) {
    if (!status) {
        hide();
        return;
    }
    const QString text = QString::fromStdString(plantStatusText(*status, language));
    setText(text);
    // A long error is cut at the window's edge; the whole of it is one hover away.
    setToolTip(text);
    setVisible(true);
}

}  // namespace mensora
