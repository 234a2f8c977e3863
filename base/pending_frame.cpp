#include "base/pending_frame.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/control_ids.h"

namespace mensora {
namespace {

constexpr int kStatisticsFields[] = {AverageField, MaximumField,   MinimumField,   CountField,
                                     OkCountField, OverUpperField, UnderLowerField};

}  // namespace

bool PendingFrame::waitsForFrame(int controlId) {
    return std::find(std::begin(kStatisticsFields), std::end(kStatisticsFields), controlId) !=
           std::end(kStatisticsFields);
}

bool PendingFrame::nothingWaits() const {
    return !waiting_.rowsAdded && !waiting_.scrollToEnd && waiting_.texts.empty();
}

bool PendingFrame::rowsAdded() {
    const bool first = nothingWaits();
    waiting_.rowsAdded = true;
    return first;
}

bool PendingFrame::scrollToEnd() {
    const bool first = nothingWaits();
    waiting_.scrollToEnd = true;
    return first;
}

bool PendingFrame::setText(int controlId, const std::string& text) {
    const bool first = nothingWaits();
    waiting_.texts[controlId] = text;
    return first;
}

const std::string* PendingFrame::text(int controlId) const {
    const auto it = waiting_.texts.find(controlId);
    return it == waiting_.texts.end() ? nullptr : &it->second;
}

PendingFrame::Changes PendingFrame::take() { return std::exchange(waiting_, {}); }

}  // namespace mensora
