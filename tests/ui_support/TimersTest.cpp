#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Exception.h"
#include "ui/Timers.h"

using namespace ui;

namespace {

// Runs the message loop for a while, as the program's main loop would.
void PumpFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

std::vector<std::wstring> g_reported;
void RecordFailure(const std::exception& failure) { g_reported.push_back(ExceptionText(failure)); }

}  // namespace

TEST(Timer, TicksAndASecondEnableKeepsThePeriod)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled()) << "a new timer runs";
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetEnabled(false);

    ULONGLONG started = 0, first = 0;
    int ticks = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (ticks++ == 0) first = GetTickCount64();
    };
    timer.SetInterval(600);
    timer.SetEnabled(true);
    started = GetTickCount64();
    PumpFor(350);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(SetOrdProp(&timer, L"Enabled", 1));
    PumpFor(500);
    ASSERT_GE(ticks, 1);
    // A restart at 350 ms would put the first tick at 950 ms or later.
    EXPECT_LT(first - started, 900u) << "first tick after " << (first - started) << " ms";
    timer.SetEnabled(false);
    int stopped = ticks;
    PumpFor(700);
    EXPECT_EQ(ticks, stopped);
    EXPECT_EQ(GetOrdProp(&timer, L"Interval"), 600);
}

TEST(Timer, FailuresInATickReachTheErrorReportAndTheTimerGoesOn)
{
    g_reported.clear();
    SetExceptionHandler(&RecordFailure);
    TTimer timer(nullptr);
    timer.SetInterval(50);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw EConvertError(L"'75' is not a valid integer value");
    };
    PumpFor(400);
    timer.SetEnabled(false);
    SetExceptionHandler(nullptr);
    EXPECT_GE(ticks, 2);
    ASSERT_EQ(g_reported.size(), static_cast<std::size_t>(ticks));
    EXPECT_EQ(g_reported[0], L"'75' is not a valid integer value");
}

TEST(Timer, ATickMayDisableOrDeleteItsTimer)
{
    TTimer once(nullptr);
    once.SetInterval(40);
    int onceTicks = 0;
    once.OnTimer = [&](TObject* sender) {
        ++onceTicks;
        static_cast<TTimer*>(sender)->SetEnabled(false);
    };

    auto* doomed = new TTimer(nullptr);
    doomed->SetInterval(40);
    int doomedTicks = 0;
    std::wstring capturedText = L"captured state outlives the timer";
    doomed->OnTimer = [&doomedTicks, capturedText](TObject* sender) {
        delete static_cast<TTimer*>(sender);
        ++doomedTicks;
        EXPECT_EQ(capturedText, L"captured state outlives the timer");
    };

    // Owned timers go with their owner, ticking or not.
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* owned = new TTimer(owner.get());
    owned->SetInterval(40);
    int ownedTicks = 0;
    owned->OnTimer = [&](TObject*) { ++ownedTicks; };

    PumpFor(300);
    EXPECT_EQ(onceTicks, 1);
    EXPECT_EQ(doomedTicks, 1);
    EXPECT_FALSE(once.Enabled());
    EXPECT_GE(ownedTicks, 1);
    owner.reset();
    int before = ownedTicks;
    PumpFor(150);
    EXPECT_EQ(ownedTicks, before);
}

TEST(Timer, TicksDoNotNestWhileAHandlerRunsAMessageLoop)
{
    TTimer timer(nullptr);
    timer.SetInterval(30);
    int depth = 0, deepest = 0, ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        if (ticks == 1) PumpFor(200);  // as a message box would
        --depth;
    };
    PumpFor(400);
    timer.SetEnabled(false);
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(ticks, 2) << "ticks resume once the handler returns";
}

TEST(Timer, WaitsWhileItsOwnerIsLoading)
{
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.BeginLoading();
    timer.SetInterval(30);
    timer.SetEnabled(true);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    PumpFor(150);
    EXPECT_EQ(ticks, 0);
    timer.Loaded();
    PumpFor(150);
    EXPECT_GE(ticks, 1);
}
