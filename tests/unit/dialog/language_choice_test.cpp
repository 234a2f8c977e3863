// The language radio buttons: the choice is stored at once and the restart message is shown
// only when the language really changes; nothing on the window changes until the next start.

#include "dialog/language_choice.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_window.h"

namespace mensora {
namespace {

using Puts = std::vector<std::pair<std::string, std::int32_t>>;

struct Click {
    std::int32_t languageBefore;  // as the initialisation read it
    int checkedAfterClick;        // the radio button the click left checked
    const char* message;          // nullptr: no message
    std::int32_t languageAfter;
};

const Click kClicks[] = {
    // Switching shows the message in the language just chosen.
    {1, EnglishRadio, texts::kLanguageChanged.english, 2},
    {2, ChineseRadio, texts::kLanguageChanged.chinese, 1},
    // The button that was already checked: no message, stored again.
    {1, ChineseRadio, nullptr, 1},
    {2, EnglishRadio, nullptr, 2},
    // A stored value other than 1 or 2 showed Chinese, yet differs from 1.
    {3, ChineseRadio, texts::kLanguageChanged.chinese, 1},
    {0, ChineseRadio, texts::kLanguageChanged.chinese, 1},
    {3, EnglishRadio, texts::kLanguageChanged.english, 2},
};

TEST(LanguageChoice, AClickStoresTheCheckedLanguageAndAsksForARestartOnlyOnAChange) {
    for (const Click& c : kClicks) {
        SCOPED_TRACE("from " + std::to_string(c.languageBefore) + " to radio " +
                     std::to_string(c.checkedAfterClick));
        AcquisitionState state;
        state.storedLanguage = c.languageBefore;
        test::FakeWindow window;
        test::FakeSettings settings;
        window.setChecked(ChineseRadio, c.checkedAfterClick == ChineseRadio);
        window.setChecked(EnglishRadio, c.checkedAfterClick == EnglishRadio);

        LanguageChoice(state, window, settings).onLanguageButton();

        std::vector<std::string> expected;
        if (c.message != nullptr) expected.push_back(c.message);
        EXPECT_EQ(window.messageTexts(), expected);
        for (const auto& shown : window.messages) {
            EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
        }
        EXPECT_EQ(state.storedLanguage, c.languageAfter);
        EXPECT_EQ(settings.puts, (Puts{{"Language", c.languageAfter}}));
    }
}

TEST(LanguageChoice, ChoosingEnglishInTheChineseInterfaceChangesNoCaption) {
    AcquisitionState state;
    test::FakeWindow window;
    test::FakeSettings settings;
    window.setText(ConnectButton, "打开设备");
    window.setChecked(EnglishRadio, true);

    LanguageChoice(state, window, settings).onLanguageButton();

    const std::map<int, std::string> captions = {{ConnectButton, "打开设备"}};
    EXPECT_EQ(window.texts, captions);
    EXPECT_EQ(window.listItems.size(), 0u);
    EXPECT_EQ(window.recordListSetUps, 0);
    EXPECT_EQ(settings.values.at("Language"), 2);
}

}  // namespace
}  // namespace mensora
