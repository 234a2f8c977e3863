#pragma once
#include "base/acquisition_state.h"
#include "base/field_exchange.h"
#include "base/window_port.h"

namespace mensora {

// Moves the bound values between the state and the window's fields, row by row in the order
// of one table of bindings that both directions read. A pull stops at the first field that
// does not parse: it shows that field's message, puts the focus there and keeps the rows it
// has already taken.
class DataExchange : public FieldExchange {
public:
    DataExchange(AcquisitionState& state, WindowPort& window) : state_(state), window_(window) {}
    void push() override;
    void pushSizes(const SizeTexts& texts) override;
    bool pull() override;

private:
    // Reads one field into its bound value; false when it does not parse.
    bool pullInto(int controlId, std::string& target);
    bool pullInto(int controlId, float& target);
    bool pullInto(int controlId, std::uint32_t& target);
    bool pullInto(int controlId, std::int32_t& target);
    bool refuse(int controlId, const char* message);

    AcquisitionState& state_;
    WindowPort& window_;
};

}  // namespace mensora
