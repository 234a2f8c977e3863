#include "dialog/language_choice.h"

#include "base/control_ids.h"
#include "base/settings_keys.h"
#include "base/texts.h"

namespace mensora {
namespace {

constexpr std::int32_t kChinese = 1;
constexpr std::int32_t kEnglish = 2;

}  // namespace

LanguageChoice::LanguageChoice(AcquisitionState& state, WindowPort& window,
                               SettingsStore& settings)
    : state_(state), window_(window), settings_(settings) {}

void LanguageChoice::onLanguageButton() {
    // The captions were put on at start-up and stay: the restart message is in the language
    // just chosen, so that the user who chose it can read it.
    if (window_.isChecked(ChineseRadio)) {
        if (state_.language != kChinese) {
            window_.showMessage(texts::kLanguageChanged.chinese, MessageIcon::Exclamation);
        }
        state_.language = kChinese;
    } else if (window_.isChecked(EnglishRadio)) {
        if (state_.language != kEnglish) {
            window_.showMessage(texts::kLanguageChanged.english, MessageIcon::Exclamation);
        }
        state_.language = kEnglish;
    }
    putSetting(settings_, settings::kLanguage, state_.language);
}

}  // namespace mensora
