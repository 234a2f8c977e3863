#include "plant/plant_door.h"

#include <algorithm>
#include <utility>

#include "base/timer_ids.h"
#include "files/window_slot.h"

namespace mensora {

std::string defaultBenchName(const std::string& computerName, unsigned windowNumber) {
    return computerName + windowSuffix(windowNumber);
}

PlantDoor::PlantDoor(const PlantDoorPorts& ports, PlantSource source)
    : ports_(ports), source_(std::move(source)) {}

std::string PlantDoor::connection() const {
    return ports_.settings.getSecret(plant_settings::kSection, plant_settings::kConnection)
        .value_or("");
}

std::string PlantDoor::bench() const {
    const std::string stored =
        ports_.settings.getText(plant_settings::kSection, plant_settings::kBench).value_or("");
    return stored.empty() ? defaultBenchName(source_.computerName, source_.windowNumber) : stored;
}

void PlantDoor::useJournal(std::string path, unsigned window) {
    source_.journalPath = std::move(path);
    source_.windowNumber = window;
    start();
}

void PlantDoor::followJournal(std::function<Journal::Progress()> progress) {
    journalProgress_ = std::move(progress);
    refresh();
}

void PlantDoor::start() {
    ++generation_;
    ports_.timers.kill(PlantTimer);
    lastRound_.reset();
    const std::string to = connection();
    configured_ = !to.empty();
    // Without a journal there is nothing to send from (it could not be opened, or is not open
    // yet): the door waits for it.
    if (!configured_ || source_.journalPath.empty()) {
        sender_.reset();
        refresh();
        return;
    }
    sender_ = std::make_shared<PlantSender>(PlantConfig{to, bench(), source_.journalPath});
    refresh();
    // Never 0: a timer of 0 ms would tick before the window has drawn anything.
    ports_.timers.arm(PlantTimer, 1);
}

void PlantDoor::change(const std::string& connection, const std::string& bench) {
    const bool sending = sender_ != nullptr;
    ports_.settings.putSecret(plant_settings::kSection, plant_settings::kConnection, connection);
    ports_.settings.putText(plant_settings::kSection, plant_settings::kBench, bench);
    start();
    // No plant database any more: the journal need not keep records for it.
    if (sending && connection.empty()) {
        ports_.work.submit(
            [path = source_.journalPath] { JournalOutbox(path).markSent(std::nullopt); });
    }
}

void PlantDoor::onTimer() {
    ports_.timers.kill(PlantTimer);
    if (roundOnWorker_ || sender_ == nullptr) return;
    roundOnWorker_ = true;
    ports_.work.submit([this, sender = sender_, generation = generation_, &window = ports_.window] {
        const PlantSender::Round round = sender->sendSome();
        window.post([this, generation, round] { roundDone(generation, round); });
    });
}

void PlantDoor::roundDone(unsigned generation, const PlantSender::Round& round) {
    roundOnWorker_ = false;
    if (sender_ == nullptr) return;
    if (generation != generation_) {  // the settings changed meanwhile: the new sender's turn
        ports_.timers.arm(PlantTimer, 1);
        return;
    }
    lastRound_ = round;
    refresh();
    ports_.timers.arm(PlantTimer, std::max<std::uint32_t>(round.nextInMs, 1));
}

void PlantDoor::refresh() {
    // Without a plant database the journal is not asked: this runs at every record.
    const Journal::Progress journal =
        configured_ && journalProgress_ ? journalProgress_() : Journal::Progress{};
    std::optional<PlantStatus> status;
    if (configured_ && (sender_ != nullptr || journal.failing)) {
        status = lastRound_ ? lastRound_->status : PlantStatus{};
        status->journalFailing = journal.failing;
        const std::optional<std::int64_t> holds =
            lastRound_ ? lastRound_->serverHoldsUpTo : std::nullopt;
        // Rows committed since the round counted, and records not committed yet, wait too.
        const std::int64_t committedAfter =
            holds ? std::max<std::int64_t>(journal.lastSequence - *holds, 0) : 0;
        if (status->waiting) {
            *status->waiting = std::max(*status->waiting, committedAfter) +
                               static_cast<std::int64_t>(journal.recordsWaiting);
        }
        if (journal.failing || journal.recordsWaiting > 0 || !holds || committedAfter > 0) {
            status->upToDate = false;
        }
    }
    if (status == status_) return;
    status_ = std::move(status);
    if (statusChanged_) statusChanged_();
}

void PlantDoor::test(const std::string& connection,
                     std::function<void(bool connected, const std::string& said)> answer) {
    ports_.work.submit([connection, answer = std::move(answer), &window = ports_.window] {
        PlantServer server;
        const std::optional<std::string> error = server.connect(connection);
        const std::string said = error ? *error : server.serverName();
        window.post([answer, connected = !error, said] { answer(connected, said); });
    });
}

}  // namespace mensora
