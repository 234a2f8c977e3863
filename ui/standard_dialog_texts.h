#pragma once
#include <QTranslator>
#include <memory>

#include "base/language.h"

namespace mensora {

// The texts Qt itself puts on standard buttons and the save dialog (Yes, No, Save, Look in)
// in the interface language, so that a Chinese interface asks 是 / 否 and not Yes / No.
// Returns the installed translator, which must live as long as the window; nothing when the
// language is English or the machine has no translation for it.
std::unique_ptr<QTranslator> installStandardDialogTexts(Language language);

}  // namespace mensora
