#include "app/core/Countdown.h"

namespace app {

TickAction ReplayCountdown::Tick()
{
    if (remaining_ms_ >= 1000) {
        remaining_ms_ -= 1000;
        return TickAction::Play;
    }
    return TickAction::PauseAndStop;
}

TickAction AutoPauseCountdown::Tick()
{
    if (remaining_ms_ < 1000) return TickAction::PauseAndStop;
    remaining_ms_ -= 1000;
    return TickAction::None;
}

}  // namespace app
