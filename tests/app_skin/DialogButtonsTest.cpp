// The buttons of the program's own windows and of the system boxes it shows, skinned by the
// skin manager from the main window's default skin as in the program: the main window's bit
// buttons and check box, the duration dialog, a ShowMessage box and the close confirmation.
// The boxes are real system boxes, answered by clicking their buttons through the painters.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin_form/SkinWindows.h"
#include "support/ProcessDriver.h"
#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;
using ui::TColor;

bool Skinned(HWND window) { return window && SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

std::vector<HWND> ButtonsOf(HWND box)
{
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"button") == 0) buttons.push_back(child);
    }
    return buttons;
}

// A click as the mouse gives it, through whatever painter the button has; posted, so that
// a box it opens runs its loop after the step that clicked.
void Click(HWND button)
{
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

class DialogButtonsTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch_.emplace(L"mjzs-dialogs", true);
        application_ = std::make_unique<ui::TApplication>(nullptr);
        application_->Initialize();
        application_->SetTitle(app::kApplicationTitle);
        skins_ = std::make_unique<skin::TSkinManagerInstallation>();
        form_ = application_->CreateForm<app::TMainForm1>();
        app::Form3 = application_->CreateForm<app::TForm3>();
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(form_->BitBtn1->Handle()) && Skinned(form_->CheckBox1->Handle()); }));
    }
    static void TearDownTestSuite()
    {
        delete app::Form3;
        app::Form3 = nullptr;
        delete form_;
        form_ = nullptr;
        skins_.reset();
        application_.reset();
        scratch_.reset();
    }

    // The outline colour at the middle of the left edge of frame f of the skin's buttons,
    // and what a button window shows there.
    static TColor SkinEdge(int frame)
    {
        const auto& element = *form_->SkinData1->Elements().Buttons;
        return element.Image.Canvas().Pixel((frame - 1) * element.FrameWidth(), element.Image.Height() / 2);
    }
    static TColor Edge(HWND button)
    {
        UpdateWindow(button);
        RECT r{};
        GetWindowRect(button, &r);
        return skintest::WindowPicture(button).At(0, (r.bottom - r.top) / 2);
    }

    static inline std::optional<testing_support::ScratchFolder> scratch_;
    static inline std::unique_ptr<ui::TApplication> application_;
    static inline std::unique_ptr<skin::TSkinManagerInstallation> skins_;
    static inline app::TMainForm1* form_ = nullptr;
};

TEST_F(DialogButtonsTest, TheSkinTellsTheNormalFrameFromTheFocusedOne)
{
    ASSERT_NE(form_->SkinData1->Elements().Buttons, nullptr);
    EXPECT_NE(SkinEdge(1), SkinEdge(5));
}

TEST_F(DialogButtonsTest, MainWindowBitButtonsAndCheckBoxAreSkinned)
{
    const ui::TWinControl* const controls[] = {form_->BitBtn1, form_->BitBtn2, form_->BitBtn4, form_->BitBtn7,
                                               form_->BitBtn8, form_->BitBtn10, form_->CheckBox1};
    for (std::size_t k = 0; k < std::size(controls); ++k) {
        const HWND window = controls[k]->WindowHandle();
        EXPECT_TRUE(Skinned(window)) << k;
        // Buttons of the page not shown have nothing on the screen to read.
        if (controls[k] != form_->CheckBox1 && GetFocus() != window && IsWindowVisible(window)) {
            EXPECT_EQ(Edge(window), SkinEdge(1)) << k;
        }
    }
}

// The duration dialog's button clicked through its painter saves and shows a ShowMessage
// box; the box's only button is its default and has the focus.
TEST_F(DialogButtonsTest, DurationDialogAndItsMessageShowSkinnedButtons)
{
    ui::TButton* save = app::Form3->Button1;
    std::optional<TColor> dialogButton, messageButton;
    HWND message = nullptr;
    skintest::TickScript script({
        [&] {
            if (!app::Form3->Visible() || !Skinned(save->Handle())) return false;
            dialogButton = Edge(save->Handle());
            Click(save->Handle());
            return true;
        },
        [&] {
            message = skintest::ThreadWindow(L"#32770");
            const std::vector<HWND> buttons = message ? ButtonsOf(message) : std::vector<HWND>{};
            if (buttons.size() != 1 || !Skinned(buttons[0])) return false;
            messageButton = Edge(buttons[0]);
            Click(buttons[0]);
            return true;
        },
    });
    app::Form3->ShowModal();
    ASSERT_TRUE(PumpUntil([&] { return script.Finished() && !app::Form3->Visible(); }));
    ASSERT_TRUE(dialogButton && messageButton);
    EXPECT_EQ(*dialogButton, SkinEdge(1));
    EXPECT_EQ(*messageButton, SkinEdge(5));
    EXPECT_FALSE(IsWindow(message));
}

// The close confirmation: OK stays the default and shows frame 5 while Cancel has the focus;
// Cancel, clicked through its painter, keeps the program open.
TEST_F(DialogButtonsTest, CloseConfirmationShowsItsDefaultButtonWhileAnotherHasTheFocus)
{
    std::optional<TColor> ok, cancel;
    HWND okButton = nullptr, cancelButton = nullptr;
    skintest::TickScript script({
        [&] {
            const HWND box = skintest::ThreadWindow(L"#32770");
            okButton = box ? GetDlgItem(box, IDOK) : nullptr;
            cancelButton = box ? GetDlgItem(box, IDCANCEL) : nullptr;
            if (!Skinned(okButton) || !Skinned(cancelButton)) return false;
            SetFocus(cancelButton);
            return true;
        },
        [&] {
            ok = Edge(okButton);
            cancel = Edge(cancelButton);
            Click(cancelButton);
            return true;
        },
    });
    PostMessageW(form_->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return script.Finished() && !IsWindow(cancelButton); }, 10s));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(*ok, SkinEdge(5));
    EXPECT_EQ(*cancel, SkinEdge(5));
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

}  // namespace
