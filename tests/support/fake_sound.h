#pragma once
#include "base/alert_sound.h"

namespace mensora::test {

class FakeSound : public AlertSound {
public:
    void playLooped() override {
        ++starts;
        playing = true;
    }
    void stop() override {
        ++stops;
        playing = false;
    }
    int starts = 0;
    int stops = 0;
    bool playing = false;
};

}  // namespace mensora::test
