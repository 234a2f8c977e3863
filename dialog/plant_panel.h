#pragma once
// What the Plant database window does, for both windows, which only draw: the texts its fields
// show on opening; Test, which disables its button and says "Connecting…" while the server is
// asked off the window's thread, then gives the answer's text and icon (an answer that comes
// after the window closed is dropped); and OK, which stores both fields, trimmed, and starts
// sending again. Cancel does nothing, so it is not here.

#include <functional>
#include <string>

#include "base/language.h"
#include "base/window_port.h"

namespace mensora {

class PlantDoor;

class PlantPanel {
public:
    explicit PlantPanel(PlantDoor& door) : door_(door) {}

    struct Fields {
        std::string connection;
        std::string bench;
    };
    // The window opens: what its fields show. Answers to Tests of an earlier opening are
    // dropped from now on.
    Fields opened();
    // The window has closed: answers still on their way are dropped.
    void closed() { ++opening_; }

    // How the Test button looks.
    struct TestButton {
        bool enabled = true;
        std::string caption;
    };
    TestButton idleButton(Language language) const;
    struct Answer {
        std::string text;
        MessageIcon icon = MessageIcon::Exclamation;
    };
    // Test with the connection typed: `button` shows the button at once and again when the
    // answer comes, `answered` tells it, both on the window's thread.
    void test(const std::string& typed, Language language,
              std::function<void(const TestButton&)> button,
              std::function<void(const Answer&)> answered);
    // OK with what the fields hold.
    void confirm(const Fields& typed);

private:
    PlantDoor& door_;
    unsigned opening_ = 0;
};

// A field's text without the blanks, tabs and line breaks around it.
std::string trimmedField(const std::string& text);

}  // namespace mensora
