#include "app/core/Countdown.h"

namespace app {

TickAction SecondsCountdown::Tick()
{
    if (remaining_ms_ < 1000) return TickAction::PauseAndStop;
    remaining_ms_ -= 1000;
    return running_;
}

}  // namespace app
