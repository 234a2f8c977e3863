#include "ui/mensora_app.h"

#include <QApplication>

#include "ui/mensora_program.h"

namespace mensora {

int MensoraApp::start(int argc, char** argv) {
    QApplication application(argc, argv);
    MensoraProgram program;
    // Modal, like the dialog it is: when it closes the program ends, and nothing is written.
    program.window().exec();
    return 0;
}

}  // namespace mensora
