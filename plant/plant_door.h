#pragma once
// The plant database's door on the window's thread: it reads and stores the settings of the
// group "Plant", starts a round of sending on the worker when its timer ticks, arms the timer
// again for as long as the round said, and shows each round's status. The window's thread
// never waits: connecting, reading the journal and inserting all run on the worker.
//
// "Up to date" is shown only when the server holds every record the window took: the last
// round found nothing after what the server holds, and the journal has every record handed to
// it on disk, up to a row the server holds. A journal that cannot be written shows too.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/settings_store.h"
#include "base/timer_service.h"
#include "base/window_thread.h"
#include "base/work_queue.h"
#include "journal/journal.h"
#include "plant/plant_sender.h"
#include "plant/plant_status.h"

namespace mensora {

namespace plant_settings {
inline constexpr const char* kSection = "Plant";
inline constexpr const char* kConnection = "Connection";
inline constexpr const char* kBench = "Bench";
}  // namespace plant_settings

// The bench's name unless the user gave one: the computer's, with -2, -3 for the second and
// third window on it.
std::string defaultBenchName(const std::string& computerName, unsigned windowNumber);

struct PlantDoorPorts {
    SettingsStore& settings;
    TimerService& timers;
    WorkQueue& work;
    WindowThread& window;
};

// Where this window's records come from and which bench it is by default.
struct PlantSource {
    std::string journalPath;
    std::string computerName;
    unsigned windowNumber = 1;
};

class PlantDoor {
public:
    PlantDoor(const PlantDoorPorts& ports, PlantSource source);

    // Starts sending when a connection is stored; without one nothing of the door runs.
    void start();
    // This window's journal is open at `path`: the door sends from it, as the bench of window
    // number `window`.
    void useJournal(std::string path, unsigned window);
    // How far this window's journal has got; asked whenever the status is made.
    void followJournal(std::function<Journal::Progress()> progress);
    // The journal took a record, failed or works again: the status is made anew.
    void journalChanged() { refresh(); }
    // The Plant database window's OK: stores both settings and starts again with them. An
    // emptied connection tells the journal that no plant database waits for its records.
    void change(const std::string& connection, const std::string& bench);
    std::string connection() const;
    std::string bench() const;

    // The door's timer ticked: the next round goes to the worker, unless one is still there.
    void onTimer();
    // What the window shows; nullopt while there is no plant database.
    const std::optional<PlantStatus>& status() const { return status_; }
    void onStatus(std::function<void()> changed) { statusChanged_ = std::move(changed); }

    // The window's Test button: connects with `connection` on the worker and tells `answer`,
    // on the window's thread, whether it could and what the server or the driver said.
    void test(const std::string& connection,
              std::function<void(bool connected, const std::string& said)> answer);

private:
    void roundDone(unsigned generation, const PlantSender::Round& round);
    // Shows the last round's status as the journal's progress now makes it.
    void refresh();

    PlantDoorPorts ports_;
    PlantSource source_;
    std::shared_ptr<PlantSender> sender_;  // shared with the round on the worker
    unsigned generation_ = 0;              // a round of a sender since replaced is not shown
    bool roundOnWorker_ = false;
    bool configured_ = false;  // a connection is stored
    std::optional<PlantSender::Round> lastRound_;
    std::function<Journal::Progress()> journalProgress_;
    std::optional<PlantStatus> status_;
    std::function<void()> statusChanged_;
};

}  // namespace mensora
