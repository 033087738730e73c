// Waiting for real windows: the program's message loop runs while a test waits, so that
// timers, posted messages and paints happen as they would for the user.
#pragma once

#include <chrono>
#include <functional>

namespace testing_support {

void Pump(std::chrono::milliseconds duration);
// Pumps until condition holds (asked between rounds of messages) or the time is up; the
// condition's last answer.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(5));

// For bare windows without the framework's application: dispatches what is queued, in three
// rounds 10 ms apart, so that messages the first round posts are handled too.
void DispatchPending();

}  // namespace testing_support
