#include <gtest/gtest.h>

#include "app/core/Countdown.h"

namespace {

using app::TickAction;

// Ticks until the countdown acts; returns the number of the tick that paused.
template <typename Countdown>
int TicksUntilPause(Countdown& countdown, TickAction running_action)
{
    for (int tick = 1; tick <= 100; ++tick) {
        const TickAction action = countdown.Tick();
        if (action == TickAction::PauseAndStop) return tick;
        EXPECT_EQ(action, running_action) << "tick " << tick;
    }
    return -1;
}

TEST(Countdowns, LengthNPausesOnTickNPlusOne)
{
    for (int n : {0, 1, 5, 59}) {
        app::ReplayCountdown replay;
        replay.Start(n);
        EXPECT_EQ(TicksUntilPause(replay, TickAction::Play), n + 1) << "replay " << n;
        app::AutoPauseCountdown pause;
        pause.Start(n);
        EXPECT_EQ(TicksUntilPause(pause, TickAction::None), n + 1) << "auto-pause " << n;
    }
}

TEST(Countdowns, RestartTakesTheFullLengthAgain)
{
    app::AutoPauseCountdown pause;
    pause.Start(5);
    pause.Tick();
    pause.Tick();
    EXPECT_EQ(pause.RemainingMs(), 3000);
    pause.Start(5);
    EXPECT_EQ(TicksUntilPause(pause, TickAction::None), 6);
}

TEST(Countdowns, SpentCountdownKeepsAskingToPause)
{
    app::ReplayCountdown replay;
    replay.Start(1);
    EXPECT_EQ(replay.Tick(), TickAction::Play);
    EXPECT_EQ(replay.Tick(), TickAction::PauseAndStop);
    EXPECT_EQ(replay.Tick(), TickAction::PauseAndStop);
    EXPECT_EQ(replay.RemainingMs(), 0);
}

}  // namespace
