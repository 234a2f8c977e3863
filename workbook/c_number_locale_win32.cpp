#include <clocale>
#include <string>

#include "workbook/c_number_locale.h"

namespace mensora {

struct CNumberLocale::Saved {
    int threadMode;
    std::string numbers;
};

// The C runtime keeps a locale per thread once asked to; this thread's numbers then follow
// "C", and its earlier setting comes back afterwards.
CNumberLocale::CNumberLocale() {
    const int mode = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = std::make_unique<Saved>(Saved{mode, current != nullptr ? current : "C"});
    std::setlocale(LC_NUMERIC, "C");
}

CNumberLocale::~CNumberLocale() {
    std::setlocale(LC_NUMERIC, saved_->numbers.c_str());
    _configthreadlocale(saved_->threadMode);
}

}  // namespace mensora
