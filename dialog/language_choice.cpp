#include "dialog/language_choice.h"

#include "base/control_ids.h"
#include "base/settings_keys.h"
#include "base/texts.h"

namespace mensora {

LanguageChoice::LanguageChoice(AcquisitionState& state, WindowPort& window, SettingsStore& settings)
    : state_(state), window_(window), settings_(settings) {}

void LanguageChoice::onLanguageButton() {
    // The captions were put on at start-up and stay: the restart message is in the language
    // just chosen, so that the user who chose it can read it.
    // A stored value that is neither 1 nor 2 differs from both choices: either click is a
    // change.
    for (const Language chosen : {Language::Chinese, Language::English}) {
        if (!window_.isChecked(chosen == Language::English ? EnglishRadio : ChineseRadio)) continue;
        const std::int32_t stored = storedValueOf(chosen);
        if (state_.storedLanguage != stored) {
            window_.showMessage(pick(texts::kLanguageChanged, chosen), MessageIcon::Exclamation);
        }
        state_.storedLanguage = stored;
        break;
    }
    putSetting(settings_, settings::kLanguage, state_.storedLanguage);
}

}  // namespace mensora
