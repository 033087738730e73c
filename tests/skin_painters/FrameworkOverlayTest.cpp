// Scroll-bar overlays on the framework's memo and grid, fed through the control's window hook
// chain as the scroll-bar painter is: they stay over the native bars while the grid scrolls
// through many rows and the form is resized and maximised.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "skin/controls/ScrollSkins.h"
#include "skin/data/SkinData.h"
#include "skin_controls/OverlayPictures.h"
#include "support/MessagePump.h"
#include "ui/Forms.h"
#include "ui/Grids.h"
#include "ui/StdCtrls.h"

namespace {

using testing_support::DispatchPending;

class RowsGrid : public ui::TCustomGrid {
public:
    explicit RowsGrid(ui::TComponent* owner) : TCustomGrid(owner)
    {
        SetColCount(8);
        SetRowCount(2000);
        SetFixedRows(1);
        SetFixedCols(0);
        SetDefaultColWidth(90);
        SetScrollBars(ui::TScrollStyle::ssBoth);
    }
};

class FrameworkOverlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(skin_.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM"));
        form_ = std::make_unique<ui::TForm>(nullptr);
        form_->SetBounds(20, 20, 520, 420);
        form_->FinishCreate();
        form_->Show();
        DispatchPending();
    }
    void TearDown() override
    {
        if (control_) control_->RemoveWindowHook(hook_);
        overlays_.reset();
        form_.reset();
    }

    void Cover(ui::TWinControl* control)
    {
        control_ = control;
        overlays_ = std::make_unique<skin::TScrollbarOverlays>(skin_);
        overlays_->Attach(control->Handle());
        hook_ = control->AddWindowHook([this](ui::TMessage& message, const ui::TWndMethod& next) {
            next(message);
            overlays_->AfterMessage(message.Msg, message.WParam, message.LParam);
        });
        DispatchPending();
    }

    skin::TSkinData skin_{nullptr};
    std::unique_ptr<ui::TForm> form_;
    ui::TWinControl* control_ = nullptr;
    ui::THookToken hook_ = 0;
    std::unique_ptr<skin::TScrollbarOverlays> overlays_;
};

TEST_F(FrameworkOverlay, GridOfManyRowsKeepsItsOverlaysOverItsBars)
{
    auto* grid = new RowsGrid(form_.get());
    grid->SetParent(form_.get());
    grid->SetAlign(ui::TAlign::alClient);
    Cover(grid);
    struct Step {
        const char* name;
        void (*act)(ui::TForm& form, RowsGrid& grid);
    } steps[] = {
        {"attached", [](ui::TForm&, RowsGrid&) {}},
        {"page down", [](ui::TForm&, RowsGrid& g) { for (int k = 0; k < 5; ++k) SendMessageW(g.Handle(), WM_KEYDOWN, VK_NEXT, 1); }},
        {"end", [](ui::TForm&, RowsGrid& g) { SendMessageW(g.Handle(), WM_KEYDOWN, VK_END, 1); SendMessageW(g.Handle(), WM_KEYDOWN, VK_RIGHT, 1); }},
        {"wheel", [](ui::TForm&, RowsGrid& g) { SendMessageW(g.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 4), 0); }},
        {"row set by the program", [](ui::TForm&, RowsGrid& g) { g.SetTopRow(900); }},
        {"resize", [](ui::TForm& f, RowsGrid&) { f.SetBounds(30, 30, 700, 500); }},
        {"maximise", [](ui::TForm& f, RowsGrid&) { ShowWindow(f.Handle(), SW_MAXIMIZE); }},
        {"restore", [](ui::TForm& f, RowsGrid&) { ShowWindow(f.Handle(), SW_RESTORE); }},
    };
    int shownVertical = 0, shownHorizontal = 0;
    for (const Step& step : steps) {
        step.act(*form_, *grid);
        DispatchPending();
        EXPECT_TRUE(skintest::MatchesBar(overlays_->Vertical())) << step.name;
        EXPECT_TRUE(skintest::MatchesBar(overlays_->Horizontal())) << step.name;
        shownVertical += overlays_->Vertical().Shown();
        shownHorizontal += overlays_->Horizontal().Shown();
    }
    // Two thousand rows always need the vertical bar; eight columns need the horizontal one
    // in the small window only.
    EXPECT_EQ(shownVertical, static_cast<int>(std::size(steps)));
    EXPECT_GT(shownHorizontal, 0);
    grid->SetScrollBars(ui::TScrollStyle::ssNone);
    DispatchPending();
    EXPECT_FALSE(overlays_->Vertical().Shown());
    EXPECT_FALSE(overlays_->Horizontal().Shown());
}

TEST_F(FrameworkOverlay, MemoOverlayFollowsTypingAndComposedText)
{
    auto* memo = new ui::TMemo(form_.get());
    memo->SetParent(form_.get());
    memo->SetBounds(10, 10, 300, 150);
    memo->SetScrollBars(ui::TScrollStyle::ssVertical);
    Cover(memo);
    for (int line = 0; line < 30; ++line) {
        for (wchar_t c : std::wstring(L"\x58A8\x7B3A")) SendMessageW(memo->Handle(), WM_IME_CHAR, c, 1);
        SendMessageW(memo->Handle(), WM_CHAR, L'\r', 1);
    }
    DispatchPending();
    EXPECT_TRUE(skintest::MatchesBar(overlays_->Vertical()));
    EXPECT_NE(memo->Text().find(L"\x58A8\x7B3A"), std::wstring::npos);
    EXPECT_GE(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 30);
    memo->SetVisible(false);
    DispatchPending();
    EXPECT_FALSE(IsWindowVisible(overlays_->Vertical().Handle()));
    memo->SetVisible(true);
    DispatchPending();
    EXPECT_TRUE(skintest::MatchesBar(overlays_->Vertical()));
}

}  // namespace
