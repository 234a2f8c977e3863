#pragma once
// Numbers that the C library prints on this thread, for as long as the object lives, are
// written with a point whatever locale the program runs in. libxlsxwriter prints every number
// of a workbook with printf, and a Qt program takes its locale from the environment, so
// under a comma-decimal locale a reading of 2.5 would otherwise reach the file as "2,5",
// which Excel reads as text or not at all. The other threads keep their locale.

#include <memory>

namespace mensora {

class CNumberLocale {
public:
    CNumberLocale();
    ~CNumberLocale();
    CNumberLocale(const CNumberLocale&) = delete;
    CNumberLocale& operator=(const CNumberLocale&) = delete;

private:
    struct Saved;  // the thread's locale before, as the platform holds it
    std::unique_ptr<Saved> saved_;
};

}  // namespace mensora
