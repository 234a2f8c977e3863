#include "plant/plant_status.h"

#include "plant/plant_texts.h"

namespace mensora {

std::string plantStatusText(const PlantStatus& status, Language language) {
    using namespace plant_texts;
    std::string text = pick(kStatusPrefix, language);
    if (status.upToDate) {
        text += pick(kUpToDate, language);
    } else if (status.waiting) {
        text += std::to_string(*status.waiting) + pick(kWaitingAfter, language);
    } else {
        text += pick(kStarting, language);
    }
    if (status.journalFailing) text += pick(kJournalFailing, language);
    if (!status.lastError.empty()) text += pick(kErrorBefore, language) + status.lastError;
    return text;
}

}  // namespace mensora
