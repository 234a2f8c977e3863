#pragma once

namespace mensora {

// The application: opens the settings store, runs the main window modally until it closes,
// then ends. Nothing is written at exit.
class MensoraApp {
public:
    int start(int argc, char** argv);
};

}  // namespace mensora
