#pragma once
// One line under the window's controls that tells the bench, without opening anything,
// whether the plant database holds every record, how many wait, and the last error. Hidden
// while there is no plant database.

#include <QLabel>
#include <optional>

#include "base/language.h"
#include "plant/plant_status.h"

namespace mensora {

class PlantStatusLine : public QLabel {
    Q_OBJECT
public:
    explicit PlantStatusLine(QWidget* parent = nullptr);
    void show(const std::optional<PlantStatus>& status, Language language);
};

}  // namespace mensora
