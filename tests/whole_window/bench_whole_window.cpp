// Repainting the whole main window (frame and every control) skinned, with the skin switched
// off through the skin manager, and the same window that the skin engine never touched, in
// one run.
// The controls that take longest in each state are listed with their share.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "skin/controls/SkinManage.h"
#include "support/BenchTiming.h"
#include "support/MessagePump.h"
#include "support/ProcessDriver.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "whole_window/WholeWindows.h"

namespace {

using namespace std::chrono_literals;

constexpr int kWidth = 1000, kHeight = 700, kPaints = 40, kRounds = 7;

void RepaintWhole(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Milliseconds per repaint of the whole window.
double PaintTime(HWND window)
{
    return testing_support::TimePer(kPaints, [window] {
        RepaintWhole(window);
        GdiFlush();
    });
}

// The children whose own repaint (frame, erase and paint, not their children) takes longest.
void ReportSlowest(HWND window, const char* state)
{
    std::vector<std::pair<double, HWND>> times;
    for (HWND child : wholewindow::ChildWindows(window)) {
        const double time = testing_support::TimePer(10, [child] {
            RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            GdiFlush();
        });
        times.emplace_back(time, child);
    }
    std::sort(times.begin(), times.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    double total = 0;
    for (const auto& entry : times) total += entry.first;
    std::printf("  %s: %zu child windows, %.2f ms together; slowest:", state, times.size(), total);
    for (std::size_t k = 0; k < std::min<std::size_t>(3, times.size()); ++k)
        std::printf(" %s %.2f ms;", wholewindow::Narrow(wholewindow::Describe(times[k].second)).c_str(),
                    times[k].first);
    std::printf("\n");
}

app::TMainForm1* ShowMainForm(int tag)
{
    auto* form = ui::Application()->CreateForm<app::TMainForm1>();
    form->SetTag(tag);
    form->SetWindowState(ui::TWindowState::wsNormal);
    form->SetBounds(20, 20, kWidth, kHeight);
    form->Show();
    return form;
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

}  // namespace

int main()
{
    ui::TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(app::kApplicationTitle);
    ui::ScopedMessageBoxService quiet([](const ui::MessageBoxRequest&) { return IDOK; });
    testing_support::ScratchFolder folder(L"mjzs-bench-whole", true);
    skin::TSkinManagerInstallation skins;

    app::TMainForm1* form = ShowMainForm(0);
    const HWND window = form->Handle();
    if (!testing_support::PumpUntil([&] { return wholewindow::FormReady(window); }, 10s))
        Fail("the main window was not skinned");
    // The same window that the skin engine never touches (the skin's disabling tag), shown
    // in turn with the other.
    app::TMainForm1* plain = ShowMainForm(form->SkinData1->DisableTag);
    ShowWindow(plain->Handle(), SW_HIDE);
    testing_support::Pump(500ms);
    if (wholewindow::Probed(plain->Handle())) Fail("the window with the disabling tag was skinned");

    const auto measure = [&](HWND shown, HWND hidden) {
        ShowWindow(hidden, SW_HIDE);
        ShowWindow(shown, SW_SHOWNA);
        testing_support::Pump(300ms);
        return PaintTime(shown);
    };
    const auto switchTo = [&](bool on) {
        if (!wholewindow::SwitchSkin(*form, *form->SkinData1, on)) Fail("the skin did not switch");
    };
    measure(window, plain->Handle());
    ReportSlowest(window, "skinned");
    switchTo(false);
    measure(window, plain->Handle());
    ReportSlowest(window, "skin off");
    measure(plain->Handle(), window);
    ReportSlowest(plain->Handle(), "never skinned");

    const auto skinnedRound = [&] {
        switchTo(true);
        return measure(window, plain->Handle());
    };
    const auto offRound = [&] {
        switchTo(false);
        return measure(window, plain->Handle());
    };
    const auto neverRound = [&] { return measure(plain->Handle(), window); };
    const auto [skinned, off, never] = testing_support::FastestRounds<3>(kRounds, {skinnedRound, offRound, neverRound});
    std::printf("whole main window %dx%d, frame and every control, fastest of %d rounds of %d repaints:\n"
                "  skinned %.2f ms, skin off %.2f ms, never skinned %.2f ms\n"
                "  skinned / skin off %.2f, skinned / never skinned %.2f (aim at most 1.5)\n",
                kWidth, kHeight, kRounds, kPaints, skinned, off, never, skinned / off, skinned / never);
    delete plain;
    delete form;
    return 0;
}
