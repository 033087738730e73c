// The playback row of the real main window, skinned by the real skin manager with the default
// skin: the labels and the check box on its group boxes show the boxes' face round their
// text, and the time edit's border is the same as the search edit's through focus changes
// and resizing.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin_form/SkinWindows.h"
#include "support/ProcessDriver.h"
#include "support/ProgramEnvironment.h"
#include "ui/Dialogs.h"
#include "ui/StdCtrls.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;
using ui::TColor;

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(app::kApplicationTitle));

bool Skinned(ui::TWinControl* control) { return SendMessageW(control->Handle(), skin::SKM_PROBE, 0, 0) == 1; }

class PlaybackRowLook : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch_ = new testing_support::ScratchFolder(L"mjzs-row-look", true);
        form_ = ui::Application()->CreateForm<app::TMainForm1>();
        form_->SetWindowState(ui::TWindowState::wsNormal);
        form_->SetBounds(30, 20, 1100, 560);
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(form_->Edit3) && Skinned(form_->Edit4) && Skinned(form_->GroupBox2); }));
        skintest::Pump(100ms);
    }
    static void TearDownTestSuite()
    {
        ui::ScopedMessageBoxService quiet([](const ui::MessageBoxRequest&) { return IDOK; });
        delete form_;
        form_ = nullptr;
        delete scratch_;
    }

    static TColor At(ui::TWinControl* control, int x, int y) { return skintest::WindowPicture(control->Handle()).At(x, y); }
    static TColor Face() { return form_->SkinData1->Color(skin::csButtonFace); }

    static inline testing_support::ScratchFolder* scratch_ = nullptr;
    static inline app::TMainForm1* form_ = nullptr;
};

TEST_F(PlaybackRowLook, ControlsOnGroupBoxesShowTheBoxFace)
{
    const struct {
        ui::TWinControl* control;
        ui::TWinControl* box;
    } cases[] = {{form_->Label9, form_->GroupBox2},
                 {form_->Label2, form_->GroupBox1},
                 {form_->Label4, form_->GroupBox1},
                 {form_->CheckBox2, form_->GroupBox3}};
    for (const auto& c : cases) {
        const std::wstring name = c.control->Name();
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Beside the control inside the box, and inside the control clear of its text (the
        // top row of the labels, the right end of the check box).
        const TColor box = At(c.box, c.control->Left() - 2, c.control->Top() + c.control->Height() / 2);
        EXPECT_EQ(box, Face()) << name;
        EXPECT_EQ(At(c.control, c.control->Width() - 2, 1), box) << name;
        EXPECT_EQ(At(c.control, 1, 1), box) << name;
    }
}

// The three outermost pixels of the border at the middle of each side.
std::vector<TColor> Border(ui::TWinControl* edit)
{
    UpdateWindow(edit->Handle());
    const skintest::WindowPicture picture(edit->Handle());
    const int w = picture.Width(), h = picture.Height();
    std::vector<TColor> ring;
    for (int d = 0; d < 3; ++d)
        for (const std::array<int, 2>& p :
             {std::array{d, h / 2}, std::array{w / 2, d}, std::array{w - 1 - d, h / 2}, std::array{w / 2, h - 1 - d}})
            ring.push_back(picture.At(p[0], p[1]));
    return ring;
}

TEST_F(PlaybackRowLook, TimeEditBorderIsTheSearchEditsThroughFocusAndResizing)
{
    const struct {
        const char* step;
        void (*act)();
    } steps[] = {
        {"at rest", [] {}},
        {"time edit focused", [] { form_->Edit3->SetFocus(); }},
        {"search edit focused", [] { form_->Edit4->SetFocus(); }},
        {"resized", [] { form_->SetBounds(30, 20, 1040, 600); }},
        {"maximised", [] { ShowWindow(form_->Handle(), SW_MAXIMIZE); }},
        {"restored", [] { ShowWindow(form_->Handle(), SW_RESTORE); }},
    };
    for (const auto& s : steps) {
        s.act();
        skintest::Pump(120ms);
        const std::vector<TColor> time = Border(form_->Edit3), search = Border(form_->Edit4);
        EXPECT_EQ(time, search) << s.step;
        EXPECT_EQ(time.front(), form_->SkinData1->Color(skin::csButtonShadow)) << s.step;
    }
}

}  // namespace
