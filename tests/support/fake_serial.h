#pragma once
// A serial line with a script: which names open, and the chunks the gauge "sends". Each
// feed() is one chunk queued at the port; a read takes at most 200 queued bytes. A gauge on
// the line sends one frame before every read of its port at its own rate, and bytes that
// fail validation at any other rate. A port named in `unplugged` has lost its device: reads of
// it report the device lost and it does not open until the name is taken out again.

#include <algorithm>
#include <cstring>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/serial_device.h"

namespace mensora::test {

class FakeSerial : public SerialDevice {
public:
    struct Gauge {
        std::string port;
        std::int32_t baudRate;
        std::vector<std::uint8_t> frame;
    };

    struct OpenCall {
        std::string name;
        std::int32_t baudRate;
        bool succeeded;
    };

    int open(const std::string& portName, std::int32_t baudRate) override {
        const bool ok = openable.count(portName) != 0 && unplugged.count(portName) == 0;
        opens.push_back({portName, baudRate, ok});
        if (ok) {
            isOpen = true;
            openName = portName;
            openRate = baudRate;
        }
        return ok ? 0 : -1;
    }
    int readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) override {
        ++reads;
        if (isOpen && unplugged.count(openName) != 0) {
            receivedCount = 0;
            return kDeviceLost;
        }
        if (gauge && isOpen && openName == gauge->port) {
            // A frame seen at the wrong rate: a "+" start and bytes that are no digits.
            static const std::vector<std::uint8_t> kWrongRate{0x2B, 0xE6, 0x9E, 0x86, 0xF0,
                                                              0x66, 0x9E, 0x86, 0xF0, 0x66};
            feed(openRate == gauge->baudRate ? gauge->frame : kWrongRate);
        }
        if (!isOpen || queued.empty()) {
            receivedCount = 0;
            return -1;
        }
        const std::size_t n = std::min<std::size_t>(queued.size(), kMaxBytesPerRead);
        std::copy(queued.begin(), queued.begin() + static_cast<std::ptrdiff_t>(n), buffer);
        queued.erase(queued.begin(), queued.begin() + static_cast<std::ptrdiff_t>(n));
        receivedCount = static_cast<std::uint32_t>(n);
        return 0;
    }
    int write(const std::uint8_t* bytes, std::size_t count) override {
        writes.emplace_back(bytes, bytes + count);
        return isOpen ? 0 : -1;
    }
    void raiseDtr() override { ++dtrRaises; }
    void close() override {
        ++closes;
        isOpen = false;
    }

    void feed(const std::vector<std::uint8_t>& bytes) {
        queued.insert(queued.end(), bytes.begin(), bytes.end());
    }
    void feed(const std::string& bytes) {
        feed(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    std::optional<Gauge> gauge;
    std::set<std::string> openable;
    std::set<std::string> unplugged;
    std::deque<std::uint8_t> queued;
    std::vector<OpenCall> opens;
    std::vector<std::vector<std::uint8_t>> writes;
    bool isOpen = false;
    std::string openName;
    std::int32_t openRate = 0;
    int reads = 0;
    int dtrRaises = 0;
    int closes = 0;
};

}  // namespace mensora::test
