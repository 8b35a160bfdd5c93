#pragma once
// Fake clocks and time-stamp counters, for the clock members of a machine of fakes (FakeMachine.h).
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace platform {

// A fake time-stamp counter that advances by a fixed step on every read.
class SteppingTsc {
public:
    SteppingTsc(uint64_t start, uint64_t step) : next_(start), step_(step) {}
    uint64_t operator()()
    {
        uint64_t now = next_;
        next_ += step_;
        return now;
    }

private:
    uint64_t next_;
    uint64_t step_;
};

// A fake 32-bit clock that advances by a fixed step on every read and wraps like the real one.
class SteppingClock {
public:
    SteppingClock(uint32_t start, uint32_t step) : next_(start), step_(step) {}
    uint32_t operator()()
    {
        uint32_t now = next_;
        next_ += step_;
        return now;
    }

private:
    uint32_t next_;
    uint32_t step_;
};

// A fake clock that replays a script of readings; after the last one it keeps answering the last.
template <typename T>
class ScriptedClock {
public:
    ScriptedClock(std::initializer_list<T> readings) : readings_(readings) {}
    explicit ScriptedClock(std::vector<T> readings) : readings_(std::move(readings)) {}
    T operator()()
    {
        if (readings_.empty()) return T{};
        T now = readings_[next_];
        if (next_ + 1 < readings_.size()) ++next_;
        return now;
    }
    size_t ReadsSoFar() const { return next_; }

private:
    std::vector<T> readings_;
    size_t next_ = 0;
};

}  // namespace platform
