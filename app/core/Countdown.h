// The two one-second countdowns of the transport. Each tick of its timer asks the countdown
// what to do with the player; the form only carries the action out. A length of N seconds
// gives N running ticks and acts on the (N + 1)th.
#pragma once

#include <cstdint>

namespace app {

enum class TickAction : std::uint8_t {
    None,          // nothing to do this tick
    Play,          // play on
    PauseAndStop,  // toggle the player to pause and stop the timer
};

// Whole seconds counted down, one a tick: while a second remains the tick takes it and
// answers the countdown's running action, then it answers PauseAndStop.
class SecondsCountdown {
public:
    void Start(int seconds) { remaining_ms_ = seconds * 1000LL; }
    TickAction Tick();
    std::int64_t RemainingMs() const { return remaining_ms_; }

protected:
    explicit SecondsCountdown(TickAction running) : running_(running) {}

private:
    TickAction running_;
    std::int64_t remaining_ms_ = 0;
};

// Replay (F9, Timer4): plays on every tick while time remains, then pauses.
class ReplayCountdown : public SecondsCountdown {
public:
    ReplayCountdown() : SecondsCountdown(TickAction::Play) {}
};

// Play then pause (F11, Timer3): lets the playback run while time remains, then pauses.
class AutoPauseCountdown : public SecondsCountdown {
public:
    AutoPauseCountdown() : SecondsCountdown(TickAction::None) {}
};

}  // namespace app
