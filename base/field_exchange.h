#pragma once

namespace mensora {

// Moving the bound values between the state and the window's fields. The dialog's data
// exchange does it; a part of the program that changed what the window shows asks for a push.
class FieldExchange {
public:
    virtual ~FieldExchange() = default;
    // Puts every bound value of the state into its field.
    virtual void push() = 0;
    // Puts the judging sizes alone (nominal and tolerances) into their fields: what an
    // inspection plan changes with every record.
    virtual void pushSizes() = 0;
    // Reads the fields back into the state, stopping at the first one that does not parse.
    virtual bool pull() = 0;
};

}  // namespace mensora
