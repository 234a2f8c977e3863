#include "dialog/plant_panel.h"

#include <utility>

#include "plant/plant_door.h"
#include "plant/plant_texts.h"

namespace mensora {

std::string trimmedField(const std::string& text) {
    constexpr const char* kAround = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(kAround);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kAround) - first + 1);
}

PlantPanel::Fields PlantPanel::opened() {
    ++opening_;
    return {door_.connection(), door_.bench()};
}

PlantPanel::TestButton PlantPanel::idleButton(Language language) const {
    return {true, pick(plant_texts::kTest, language)};
}

void PlantPanel::test(const std::string& typed, Language language,
                      std::function<void(const TestButton&)> button,
                      std::function<void(const Answer&)> answered) {
    button({false, pick(plant_texts::kTesting, language)});
    door_.test(trimmedField(typed), [this, opening = opening_, language, button = std::move(button),
                                     answered = std::move(answered)](bool connected,
                                                                     const std::string& said) {
        if (opening != opening_) return;  // the window closed while the server was asked
        button(idleButton(language));
        const Bilingual& lead = connected ? plant_texts::kConnected : plant_texts::kNotConnected;
        answered({pick(lead, language) + said,
                  connected ? MessageIcon::Exclamation : MessageIcon::Stop});
    });
}

void PlantPanel::confirm(const Fields& typed) {
    door_.change(trimmedField(typed.connection), trimmedField(typed.bench));
}

}  // namespace mensora
