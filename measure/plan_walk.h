#pragma once
// Walking an inspection plan at the bench: which characteristic is due, which part is being
// measured (its serial), the latest verdict of each of its characteristics, and the part's
// verdict once its last characteristic has been measured.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "measure/inspection_plan.h"

namespace mensora {

class PlanWalk {
public:
    // The first characteristic of part 1 is due. The plan has at least one characteristic.
    explicit PlanWalk(InspectionPlan plan);

    const InspectionPlan& plan() const { return plan_; }
    std::size_t due() const { return due_; }
    const Characteristic& dueCharacteristic() const { return plan_.characteristics[due_]; }
    // The serial of the part being measured: as typed or scanned, or its number in the lot.
    const std::string& serial() const { return serial_; }
    // Whether a record of this part has been taken yet.
    bool partStarted() const { return started_; }

    // A record of the due characteristic, judged `verdict`, has been taken: the next
    // characteristic is due. After the last one the part is complete and the next part starts;
    // its verdict is returned then: OK only when the latest record of every characteristic is
    // OK (one skipped and never measured is not).
    std::optional<bool> recorded(Verdict verdict);
    // Back one characteristic, to measure it again: its new record is added, and the part's
    // verdict takes the latest. Nothing before the part's first characteristic.
    void previous();
    // Skips the due characteristic; past the last one the part is complete as it stands.
    std::optional<bool> next();

    // The serial of the part about to start (the one being measured while nothing of it has
    // been recorded, else the next one): typed or scanned; blank numbers the parts of the lot
    // 1, 2, 3 ….
    void setSerial(const std::string& typed);
    // A new lot numbers its parts from 1 again.
    void lotChanged();
    // The control limits a characteristic's charts were fixed at (none: from all its records);
    // the walk stands where it stood.
    void fixLimits(std::size_t characteristic, const std::optional<FixedLimits>& fixed) {
        plan_.characteristics.at(characteristic).fixedLimits = fixed;
    }

    // Where a walk cut short (the program ended mid-part) stands again: the characteristic
    // due, the serial, the part's number in the lot and the verdicts recorded so far.
    struct Position {
        std::size_t due = 0;
        std::string serial;
        unsigned partInLot = 1;
        std::vector<std::optional<Verdict>> latest;
        bool started = false;
        bool serialTyped = false;
        std::string nextSerial;  // typed for the next part, or blank
    };
    Position position() const;
    void resume(const Position& position);

private:
    std::optional<bool> completePart();
    void startPart();

    InspectionPlan plan_;
    std::size_t due_ = 0;
    std::string serial_;
    bool serialTyped_ = false;
    std::string nextSerial_;  // typed while a part was under way: the next part's
    unsigned partInLot_ = 1;
    std::vector<std::optional<Verdict>> latest_;
    bool started_ = false;
};

}  // namespace mensora
