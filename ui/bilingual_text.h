#pragma once
// A text of both languages as the Qt controls take it.

#include <QString>

#include "base/texts.h"

namespace mensora {

inline QString textOf(const Bilingual& text, Language language) {
    return QString::fromUtf8(pick(text, language));
}

}  // namespace mensora
