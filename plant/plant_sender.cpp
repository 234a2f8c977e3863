#include "plant/plant_sender.h"

#include <algorithm>
#include <utility>

#include "plant/background_priority.h"

namespace mensora {

namespace {
constexpr std::uint32_t kFirstRetryMs = 1000;
constexpr std::uint32_t kLongestRetryMs = 30000;
}  // namespace

std::uint32_t plantRetryDelayMs(int failures) {
    std::uint32_t delay = kFirstRetryMs;
    for (int i = 1; i < failures && delay < kLongestRetryMs; ++i) delay *= 2;
    return std::min(delay, kLongestRetryMs);
}

PlantSender::PlantSender(PlantConfig config)
    : config_(std::move(config)), journal_(config_.journalPath) {}

template <typename Row>
void PlantSender::askServer(SideRows<Row>& side) {
    // Made by plant IT, or by a bench that may make tables; until it is there its rows wait in
    // the journal and the records go on.
    side.tableThere =
        !server_.makeTable(side.table) &&
        !server_.highestRow(side.table, config_.bench, journal_.run(), side.serverHolds);
}

std::optional<std::string> PlantSender::connect() {
    if (auto error = journal_.open()) return error;
    if (auto error = server_.connect(config_.connection)) return error;
    if (auto error = server_.makeTable()) return error;
    if (auto error = server_.highestSequence(config_.bench, journal_.run(), serverHolds_)) {
        return error;
    }
    askServer(studies_);
    askServer(alarms_);
    return journal_.markSent(serverHolds_);
}

std::optional<std::string> PlantSender::sendBatch() {
    if (auto error = journal_.readAfter(serverHolds_, kRecordsPerRound, batch_)) return error;
    if (batch_.empty()) return std::nullopt;
    if (auto error = server_.insert(config_.bench, journal_.run(), batch_)) return error;
    serverHolds_ = batch_.back().sequence;
    return journal_.markSent(serverHolds_);
}

template <typename Row>
std::optional<std::string> PlantSender::send(SideRows<Row>& side) {
    if (!side.tableThere) return std::nullopt;
    if (auto error = (journal_.*side.read)(side.serverHolds, side.perRound, side.rows)) {
        return error;
    }
    for (const Row& row : side.rows) {
        if (auto error = server_.insert(config_.bench, journal_.run(), row)) return error;
        side.serverHolds = row.id;
    }
    return std::nullopt;
}

PlantSender::Round PlantSender::failed(std::string error) {
    server_.disconnect();
    ++failures_;
    Round round;
    round.status.lastError = std::move(error);
    // What waits is counted from the journal's mark, since the server cannot be asked.
    round.status.waiting = journal_.countAfter(journal_.sentMark());
    round.nextInMs = plantRetryDelayMs(failures_);
    return round;
}

PlantSender::Round PlantSender::sendSome() {
    runBelowNormalPriority();
    if (!server_.connected()) {
        if (auto error = connect()) return failed(std::move(*error));
    }
    if (auto error = sendBatch()) return failed(std::move(*error));
    if (auto error = send(studies_)) return failed(std::move(*error));
    if (auto error = send(alarms_)) return failed(std::move(*error));
    failures_ = 0;
    Round round;
    round.status.waiting = journal_.countAfter(serverHolds_);
    round.status.upToDate = round.status.waiting == 0;
    round.serverHoldsUpTo = serverHolds_;
    round.nextInMs = round.status.upToDate ? kIdleDelayMs : 0;
    return round;
}

}  // namespace mensora
