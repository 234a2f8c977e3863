#pragma once

#include <string>

namespace mensora {

// The judging sizes as their fields show them: nominal and tolerances.
struct SizeTexts {
    std::string nominal;
    std::string upperTolerance;
    std::string lowerTolerance;
};

// Moving the bound values between the state and the window's fields. The dialog's data
// exchange does it; a part of the program that changed what the window shows asks for a push.
class FieldExchange {
public:
    virtual ~FieldExchange() = default;
    // Puts every bound value of the state into its field.
    virtual void push() = 0;
    // Puts the judging sizes alone into their fields: what an inspection plan changes with
    // every record, so it writes them once per characteristic, not once per record.
    virtual void pushSizes(const SizeTexts& texts) = 0;
    // Reads the fields back into the state, stopping at the first one that does not parse.
    virtual bool pull() = 0;
};

}  // namespace mensora
