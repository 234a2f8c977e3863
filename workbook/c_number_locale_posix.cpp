#include <locale.h>

#include "workbook/c_number_locale.h"

namespace mensora {

struct CNumberLocale::Saved {
    locale_t previous;
    locale_t own;
};

// The thread's own copy of the program's locale with the numbers of "C": only the decimal
// point changes. Without memory for a copy the thread goes on as it was.
CNumberLocale::CNumberLocale() {
    const locale_t copy = ::duplocale(LC_GLOBAL_LOCALE);
    if (copy == locale_t{}) return;
    const locale_t own = ::newlocale(LC_NUMERIC_MASK, "C", copy);
    if (own == locale_t{}) {
        ::freelocale(copy);
        return;
    }
    saved_ = std::make_unique<Saved>(Saved{::uselocale(own), own});
}

CNumberLocale::~CNumberLocale() {
    if (!saved_) return;
    ::uselocale(saved_->previous);
    ::freelocale(saved_->own);
}

}  // namespace mensora
