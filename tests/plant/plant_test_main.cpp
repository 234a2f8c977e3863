// The plant tests' program. Started with --send it is instead one bench's sender on its own,
// rounding for ever on real time, for the tests that kill it mid-send and start it again.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "plant/plant_sender.h"

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--send") {
        mensora::PlantSender sender({argv[3], argv[4], argv[2]});
        for (;;) {
            const auto round = sender.sendSome();
            std::this_thread::sleep_for(std::chrono::milliseconds(round.nextInMs));
        }
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
