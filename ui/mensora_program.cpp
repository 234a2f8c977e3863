#include "ui/mensora_program.h"

#include "link/platform_port_names.h"

namespace mensora {

MensoraProgram::MensoraProgram()
    : window_(store_, listTexts_),
      timers_([this](int id) {
          if (running_) dialog_.onTimer(id);
      }),
      portNames_(makePlatformPortNames(settings_)),
      dialog_(DialogPorts{timers_, settings_, window_, sound_, clock_, serial_, *portNames_,
                          fileSystem_},
              state_, store_, listTexts_) {
    running_ = true;
    window_.setController(&dialog_);
    dialog_.initialise();
    dialogTexts_ = installStandardDialogTexts(dialog_.state().language());
}

MensoraProgram::~MensoraProgram() { running_ = false; }

}  // namespace mensora
