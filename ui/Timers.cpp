#include "ui/Timers.h"

#include <unordered_map>

#include "ui/Exception.h"
#include "ui/UtilityWindow.h"

namespace ui {

namespace {

std::unordered_map<UINT_PTR, TTimer*>& Timers()
{
    static std::unordered_map<UINT_PTR, TTimer*> timers;
    return timers;
}

// Ids are never reused, so a tick already queued for a deleted timer finds nobody.
UINT_PTR g_next_id = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(g_next_id++)
{
    SetUtilityTimerHandler(&TTimer::Dispatch);
    Timers()[id_] = this;
    try {
        Update();
    } catch (...) {
        Timers().erase(id_);
        throw;
    }
}

TTimer::~TTimer()
{
    if (running_) KillTimer(UtilityWindow(), id_);
    Timers().erase(id_);
}

void TTimer::SetInterval(unsigned milliseconds)
{
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    running_ = false;
    Update();
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    Update();
}

// Starts the system timer only when it is not already running, so that a repeated start
// keeps the period; SetInterval clears running_ to force a new one.
void TTimer::Update()
{
    const bool wanted = enabled_ && interval_ > 0 && !Loading();
    if (wanted && !running_) {
        if (!SetTimer(UtilityWindow(), id_, interval_, nullptr)) throw Exception(L"Not enough timers available");
        running_ = true;
    } else if (!wanted) {
        KillTimer(UtilityWindow(), id_);
        running_ = false;
    }
}

void TTimer::Dispatch(UINT_PTR id)
{
    auto found = Timers().find(id);
    if (found == Timers().end()) return;
    TTimer* timer = found->second;
    if (timer->in_tick_ || !timer->OnTimer) return;
    // The handler may delete the timer and with it OnTimer: run a copy.
    TNotifyEvent handler = timer->OnTimer;
    timer->in_tick_ = true;
    Guarded([&] { handler(timer); });
    if (auto still = Timers().find(id); still != Timers().end()) still->second->in_tick_ = false;
}

PropValue TTimer::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Interval")) return std::int64_t{interval_};
    if (SameName(name, L"Enabled")) return BoolProp(enabled_);
    return TComponent::GetProperty(name);
}

bool TTimer::SetProperty(std::wstring_view name, const PropValue& value)
{
    const bool isInterval = SameName(name, L"Interval");
    if (!isInterval && !SameName(name, L"Enabled")) return TComponent::SetProperty(name, value);
    if (!std::holds_alternative<std::int64_t>(value)) return false;
    const std::int64_t v = std::get<std::int64_t>(value);
    if (isInterval) {
        if (v < 0 || v > 0x7FFFFFFF) return false;
        SetInterval(static_cast<unsigned>(v));
    } else {
        SetEnabled(v != 0);
    }
    return true;
}

}  // namespace ui
