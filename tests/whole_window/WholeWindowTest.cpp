// Whole skinned windows, every painter at once: the program's main window resized paints
// each control once, and the gallery window (a control of every kind a painter serves)
// switched off and on through the skin manager gives every control back as it was, takes
// its painters again and leaves no objects behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "skin_form/SkinWindows.h"
#include "support/ProcessDriver.h"
#include "support/ProgramEnvironment.h"
#include "tools/gallery/GalleryForm.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Subclass.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(app::kApplicationTitle));

bool Probed(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

bool FormReady(HWND window)
{
    const skin::TWinSkinForm* controller = skin::SkinManage() ? skin::SkinManage()->FindForm(window) : nullptr;
    return controller && controller->State() == skin::TFormSkinState::Ready;
}

std::wstring Describe(HWND window)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    std::wstring text = className;
    if (const ui::TControl* control = ui::FindControl(window)) text += L" " + std::wstring(control->ClassName());
    text += L" \"" + skin::GetWindowTextWide(window).substr(0, 12) + L"\"";
    return text;
}

std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> windows;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

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

void RepaintWhole(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// What a control looks like to the program, from the outside and through its object.
struct ControlState {
    ui::TWinControl* Control;
    HWND Window;
    LONG_PTR Procedure;
    ui::TColor Color;
    bool ParentColor;
    bool ParentBackground;
    bool Probed;
    int Painters;  // painters the control owns

    bool operator==(const ControlState&) const = default;
};

void CollectControls(ui::TWinControl& parent, std::vector<ui::TWinControl*>& out)
{
    for (int k = 0; k < parent.ControlCount(); ++k)
        if (auto* windowed = dynamic_cast<ui::TWinControl*>(parent.Controls(k))) {
            // The engine's own overlays come and go with their painters.
            if (!windowed->Owner()) continue;
            out.push_back(windowed);
            CollectControls(*windowed, out);
        }
}

std::vector<ControlState> Snapshot(ui::TForm& form)
{
    std::vector<ui::TWinControl*> controls;
    CollectControls(form, controls);
    std::vector<ControlState> states;
    for (ui::TWinControl* control : controls) {
        const HWND window = control->Handle();
        int painters = 0;
        for (int k = 0; k < control->ComponentCount(); ++k)
            painters += dynamic_cast<skin::TSkinControl*>(control->Components(k)) != nullptr;
        states.push_back({control, window, GetWindowLongPtrW(window, GWLP_WNDPROC), control->Color(),
                          control->ParentColor(), control->ParentBackground(), Probed(window), painters});
    }
    return states;
}

std::string Differences(const std::vector<ControlState>& expected, const std::vector<ControlState>& actual)
{
    std::ostringstream out;
    if (expected.size() != actual.size()) out << "controls " << expected.size() << " -> " << actual.size() << "\n";
    for (std::size_t k = 0; k < std::min(expected.size(), actual.size()); ++k) {
        const ControlState& a = expected[k];
        const ControlState& b = actual[k];
        if (a == b) continue;
        out << Narrow(Describe(a.Window)) << (a.Window == b.Window ? "" : " (new window)") << ": procedure "
            << (a.Procedure == b.Procedure ? "same" : "changed")
            << ", colour " << std::hex << a.Color << " -> " << b.Color << std::dec << ", parent colour "
            << a.ParentColor << " -> " << b.ParentColor << ", parent background " << a.ParentBackground << " -> "
            << b.ParentBackground << ", probe " << a.Probed << " -> " << b.Probed << ", painters " << a.Painters
            << " -> " << b.Painters << "\n";
    }
    return out.str();
}

// ---------------------------------------------------------------------------------------
// The gallery switched off and on.

class GalleryCycles : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        form_ = new gallery::TGalleryForm(ui::Application(), L"");
        form_->FinishCreate();
        // Every window made before the manager's posted activation attaches anything.
        std::vector<ui::TWinControl*> controls;
        CollectControls(*form_, controls);
        for (ui::TWinControl* control : controls) control->HandleNeeded();
        plain_ = new std::vector<ControlState>(Snapshot(*form_));
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return FormReady(form_->Handle()); }));
        skintest::Pump(200ms);
        skinned_ = new std::vector<ControlState>(Snapshot(*form_));
    }
    static void TearDownTestSuite()
    {
        delete form_;
        delete plain_;
        delete skinned_;
        form_ = nullptr;
    }

    static bool SwitchTo(bool on)
    {
        skin::TSkinManage& manager = *skin::SkinManage();
        manager.SetCurrentSkin(*form_->Skin());
        manager.Schedule(on ? 1 : 2, 1);
        const HWND window = form_->Handle();
        return PumpUntil([&] { return on ? FormReady(window) : manager.FindForm(window) == nullptr; });
    }

    static inline gallery::TGalleryForm* form_ = nullptr;
    static inline std::vector<ControlState>* plain_ = nullptr;
    static inline std::vector<ControlState>* skinned_ = nullptr;
};

TEST_F(GalleryCycles, SkinOffGivesEveryControlBackAndSkinOnTakesItAgain)
{
    // The painters that exist serve their controls: a few kinds at least, every one probed.
    int served = 0;
    for (const ControlState& state : *skinned_) {
        served += state.Probed;
        // Panels keep their messages to themselves: their painter only gives them the face colour.
        const bool panel = dynamic_cast<ui::TCustomPanel*>(state.Control) != nullptr;
        if (state.Painters > 0 && !state.Probed && !panel)
            ADD_FAILURE() << Narrow(Describe(state.Window)) << " has a silent painter";
    }
    EXPECT_GT(served, 5);
    EXPECT_EQ(std::count_if(plain_->begin(), plain_->end(),
                            [](const ControlState& s) { return s.Probed || s.Painters; }),
              0);

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(SwitchTo(false)) << round;
        EXPECT_EQ(Snapshot(*form_), *plain_) << Differences(*plain_, Snapshot(*form_));
        for (HWND window : ChildWindows(form_->Handle())) EXPECT_FALSE(Probed(window)) << Narrow(Describe(window));
        ASSERT_TRUE(SwitchTo(true)) << round;
        skintest::Pump(100ms);
        EXPECT_EQ(Snapshot(*form_), *skinned_) << Differences(*skinned_, Snapshot(*form_));
    }
}

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
