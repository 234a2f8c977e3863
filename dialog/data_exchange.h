#pragma once
#include "base/acquisition_state.h"
#include "base/field_exchange.h"
#include "base/window_port.h"

namespace mensora {

// Moves the bound values between the state and the window's fields, row by row in a fixed
// order. A pull stops at the first field that does not parse: it shows that field's message,
// puts the focus there and keeps the rows it has already taken.
class DataExchange : public FieldExchange {
public:
    DataExchange(AcquisitionState& state, WindowPort& window) : state_(state), window_(window) {}
    void push() override;
    bool pull() override;

private:
    bool pullText(int controlId, std::string& target);
    bool pullFloat(int controlId, float& target);
    bool pullUnsigned(int controlId, std::uint32_t& target);
    bool pullSigned(int controlId, std::int32_t& target);
    bool refuse(int controlId, const char* message);

    AcquisitionState& state_;
    WindowPort& window_;
};

}  // namespace mensora
