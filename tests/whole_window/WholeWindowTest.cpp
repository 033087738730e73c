// Whole skinned windows, every painter at once: the program's main window resized paints
// each control once; the main window and the gallery window (a control of every kind a
// painter serves) switched off and on through the skin manager give the frame, the menu bar
// and every control back as they were and take their painters again; the gallery's cycles
// and repaints leave no objects behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "skin_form/SkinWindows.h"
#include "support/ProcessDriver.h"
#include "support/ProgramEnvironment.h"
#include "tools/gallery/GalleryForm.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Subclass.h"
#include "whole_window/WholeWindows.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;
using namespace wholewindow;

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(app::kApplicationTitle));

// Every window of this thread, top-level and child: what a painter's overlays and helper
// windows would add to if they were left behind.
int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM total) {
            auto& n = *reinterpret_cast<int*>(total);
            n += 1 + static_cast<int>(ChildWindows(window).size());
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// ---------------------------------------------------------------------------------------
// Skin off and on through the skin manager, over the gallery (a control of every kind a
// painter serves) and over the program's main window.

struct GalleryWindow {
    using Form = gallery::TGalleryForm;
    static Form* Make()
    {
        auto* form = new Form(ui::Application(), L"");
        form->FinishCreate();
        return form;
    }
    static skin::TSkinData& Skin(Form& form) { return *form.Skin(); }
};

struct MainWindow {
    using Form = app::TMainForm1;
    static Form* Make()
    {
        auto* form = ui::Application()->CreateForm<Form>();
        form->SetWindowState(ui::TWindowState::wsNormal);
        form->SetBounds(20, 20, 900, 640);
        return form;
    }
    static skin::TSkinData& Skin(Form& form) { return *form.SkinData1; }
};

template <typename Window>
class SkinCycles : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch_.emplace(L"mjzs-whole-cycles", true);
        // The pointer off the window: a control's hint showing up meanwhile would be a window
        // more and objects more.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        form_ = Window::Make();
        // Every window made before the skin attaches anything, which it does as the form shows.
        for (ui::TWinControl* control : FrameworkControls(*form_)) control->HandleNeeded();
        plain_ = new WindowState(Snapshot(*form_));
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return FormReady(form_->Handle()); }));
        skintest::Pump(200ms);
        skinned_ = new WindowState(Snapshot(*form_));
    }
    static void TearDownTestSuite()
    {
        delete form_;
        delete plain_;
        delete skinned_;
        form_ = nullptr;
        scratch_.reset();
    }

    static bool SwitchTo(bool on) { return SwitchSkin(*form_, Window::Skin(*form_), on); }

    static inline ui::ScopedMessageBoxService quiet_{[](const ui::MessageBoxRequest&) { return IDOK; }};
    static inline std::optional<testing_support::ScratchFolder> scratch_;
    static inline typename Window::Form* form_ = nullptr;
    static inline WindowState* plain_ = nullptr;
    static inline WindowState* skinned_ = nullptr;
};

using Windows = testing::Types<GalleryWindow, MainWindow>;
TYPED_TEST_SUITE(SkinCycles, Windows);

TYPED_TEST(SkinCycles, SkinOffGivesTheWindowAndEveryControlBackAndSkinOnTakesThemAgain)
{
    const WindowState& plain = *this->plain_;
    const WindowState& skinned = *this->skinned_;
    // The painters that exist serve their controls: a few kinds at least, every one probed.
    int served = 0;
    for (const ControlState& state : skinned.Controls) {
        served += state.Probed;
        // Panels keep their messages to themselves: their painter only gives them the face colour.
        const bool panel = dynamic_cast<ui::TCustomPanel*>(state.Control) != nullptr;
        if (state.Painters > 0 && !state.Probed && !panel)
            ADD_FAILURE() << Narrow(Describe(state.Window)) << " has a silent painter";
    }
    EXPECT_GT(served, 5);
    // What skin off must take back: each served control is reached through its WindowProc
    // chain or its window procedure.
    ASSERT_EQ(skinned.Controls.size(), plain.Controls.size());
    for (std::size_t k = 0; k < plain.Controls.size(); ++k) {
        const ControlState& before = plain.Controls[k];
        const ControlState& after = skinned.Controls[k];
        if (after.Probed) {
            EXPECT_TRUE(after.Hooks > before.Hooks || after.Procedure != before.Procedure)
                << Narrow(Describe(after.Window));
        }
    }
    EXPECT_EQ(std::count_if(plain.Controls.begin(), plain.Controls.end(),
                            [](const ControlState& s) { return s.Probed || s.Painters; }),
              0);
    // The skinned frame is the engine's: its own chain, no system menu bar, its region.
    EXPECT_FALSE(plain.Frame.Probed);
    EXPECT_TRUE(skinned.Frame.Probed);
    EXPECT_NE(skinned.Frame.Procedure, plain.Frame.Procedure);
    EXPECT_EQ(skinned.Frame.Menu, nullptr);
    EXPECT_NE(plain.Frame.Menu, nullptr);
    EXPECT_FALSE(plain.Frame.MenuItems.empty());

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(this->SwitchTo(false)) << round;
        EXPECT_EQ(Snapshot(*this->form_), plain) << Differences(plain, Snapshot(*this->form_));
        for (HWND window : ChildWindows(this->form_->Handle()))
            EXPECT_FALSE(Probed(window)) << Narrow(Describe(window));
        ASSERT_TRUE(this->SwitchTo(true)) << round;
        skintest::Pump(100ms);
        EXPECT_EQ(Snapshot(*this->form_), skinned)
            << Differences(skinned, Snapshot(*this->form_));
    }
}

using GalleryCycles = SkinCycles<GalleryWindow>;

TEST_F(GalleryCycles, RepaintsAndSkinCyclesLeaveNoObjectsOrWindowsBehind)
{
    const HWND window = form_->Handle();
    for (int k = 0; k < 20; ++k) RepaintWhole(window);
    const std::uintptr_t reach = skintest::GdiTableReach();
    const int windows = ThreadWindowCount();
    for (int k = 0; k < 1000; ++k) RepaintWhole(window);
    skintest::Pump(50ms);
    EXPECT_LE(skintest::GdiTableReach(), reach);
    EXPECT_EQ(ThreadWindowCount(), windows);

    for (int k = 0; k < 3; ++k) ASSERT_TRUE(SwitchTo(false) && SwitchTo(true)) << k;
    skintest::Pump(100ms);
    const auto before = static_cast<std::intptr_t>(skintest::GdiTableReach());
    const int windowsBefore = ThreadWindowCount();
    for (int k = 0; k < 100; ++k) ASSERT_TRUE(SwitchTo(false) && SwitchTo(true)) << k;
    skintest::Pump(100ms);
    // The system's own objects of a shown window come and go with its messages, a few either
    // way; one object left behind per cycle would add a hundred.
    EXPECT_LT(static_cast<std::intptr_t>(skintest::GdiTableReach()) - before, 50);
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
    EXPECT_EQ(Snapshot(*form_), *skinned_) << Differences(*skinned_, Snapshot(*form_));
}

// ---------------------------------------------------------------------------------------
// The main window resized.

// Counts the paint and erase messages a window and each of its child windows get.
class PaintCounter {
public:
    struct Counts {
        int Paint = 0, Erase = 0, NcPaint = 0;
    };

    explicit PaintCounter(HWND parent)
    {
        std::vector<HWND> windows = ChildWindows(parent);
        windows.push_back(parent);
        for (HWND window : windows) {
            auto& subclass = subclasses_.emplace_back(std::make_unique<ui::TWindowSubclass>());
            ui::TWindowSubclass* link = subclass.get();
            subclass->Attach(window, [this, link](HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
                if (msg == WM_PAINT) ++counts_[w].Paint;
                // Only an erase on the window itself: a painter drawing its parent's image
                // behind a child asks the parent to erase into the child's device context.
                if (msg == WM_ERASEBKGND && WindowFromDC(reinterpret_cast<HDC>(wParam)) == w) ++counts_[w].Erase;
                if (msg == WM_NCPAINT) ++counts_[w].NcPaint;
                return link->CallNext(msg, wParam, lParam);
            });
        }
    }

    void Reset() { counts_.clear(); }
    const std::map<HWND, Counts>& Seen() const { return counts_; }
    int Watched() const { return static_cast<int>(subclasses_.size()); }

private:
    std::vector<std::unique_ptr<ui::TWindowSubclass>> subclasses_;
    std::map<HWND, Counts> counts_;
};

class MainWindowResize : public testing::Test {
protected:
    void SetUp() override
    {
        scratch_.emplace(L"mjzs-whole", true);
        form_ = ui::Application()->CreateForm<app::TMainForm1>();
        form_->SetWindowState(ui::TWindowState::wsNormal);
        form_->SetBounds(20, 20, 900, 640);
        form_->Show();
        ASSERT_TRUE(PumpUntil([this] { return FormReady(form_->Handle()); }));
        skintest::Pump(300ms);
    }
    void TearDown() override
    {
        delete form_;
        scratch_.reset();
    }

    ui::ScopedMessageBoxService quiet_{[](const ui::MessageBoxRequest&) { return IDOK; }};
    std::optional<testing_support::ScratchFolder> scratch_;
    app::TMainForm1* form_ = nullptr;
};

TEST_F(MainWindowResize, EveryControlPaintsAndErasesAtMostOncePerResize)
{
    const HWND main = form_->Handle();
    PaintCounter counter(main);
    ASSERT_GT(counter.Watched(), 20);
    struct Step {
        int width, height;
    };
    static const Step steps[] = {{980, 700}, {760, 560}, {1100, 720}, {900, 640}};
    for (const Step& step : steps) {
        counter.Reset();
        SetWindowPos(main, nullptr, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        skintest::Pump(400ms);
        int painted = 0;
        for (const auto& [window, counts] : counter.Seen()) {
            painted += counts.Paint > 0;
            EXPECT_LE(counts.Paint, 1) << Narrow(Describe(window)) << " at " << step.width << "x" << step.height;
            EXPECT_LE(counts.Erase, 1) << Narrow(Describe(window)) << " at " << step.width << "x" << step.height;
            EXPECT_LE(counts.NcPaint, 1) << Narrow(Describe(window)) << " at " << step.width << "x" << step.height;
        }
        // The resize reached the controls: the memo and the bars along the edges repaint.
        EXPECT_GT(painted, 3) << step.width << "x" << step.height;
    }
}

}  // namespace
