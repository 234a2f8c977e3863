#pragma once
// What a record was measured on and by whom, as an audit asks of every result: the part, the
// characteristic of it, the lot, the operator and the gauge. Each is at most 40 characters of
// UTF-8 text without tabs or line breaks; empty until the user sets it.

#include <string>

namespace mensora {

struct TraceValues {
    std::string part;
    std::string characteristic;
    std::string lot;
    std::string operatorName;
    std::string gaugeId;

    bool operator==(const TraceValues&) const = default;
};

}  // namespace mensora
