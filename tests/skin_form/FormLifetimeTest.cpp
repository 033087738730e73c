// A skinned window whose own handling frees its skin component while the skin's controller
// is inside the window's procedure, or inside a menu loop the controller runs: the
// controller goes with the skin, must not be touched afterwards, and leaves the window as
// the system draws it.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin_form/SkinWindows.h"
#include "skin_model/SkinFixture.h"
#include "support/ProgramEnvironment.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

using skintest::PumpUntil;

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment);

bool Skinned(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

// A form with a menu bar and a skin component of its own.
class SkinnedForm : public ui::TForm {
public:
    SkinnedForm() : ui::TForm(nullptr)
    {
        SetBounds(60, 40, 420, 300);
        SetCaption(L"速记");
        auto* menu = new ui::TMainMenu(this);
        auto* file = new ui::TMenuItem(this);
        file->SetCaption(L"文件(&F)");
        menu->Items()->Add(file);
        auto* open = new ui::TMenuItem(this);
        open->SetCaption(L"打开");
        file->Add(open);
        SetMenu(menu);
        Skin = new skin::TSkinData(this);
        skintest::LoadPackage(*Skin, skintest::FrameSkin());
        Skin->SetActive(true);
        FinishCreate();
    }

    skin::TSkinData* Skin;
};

class FreedDuringMessage : public testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override { Close(); }

    void Open()
    {
        form_ = new SkinnedForm;
        form_->Show();
        ASSERT_TRUE(PumpUntil([this] {
            const skin::TWinSkinForm* controller = skin::SkinManage()->FindForm(Window());
            return controller && controller->State() == skin::TFormSkinState::Ready;
        }));
    }
    void Close()
    {
        delete form_;
        form_ = nullptr;
    }

    HWND Window() const { return form_->Handle(); }
    skin::TWinSkinForm* Controller() const { return skin::SkinManage()->FindForm(Window()); }

    // The skin is gone and the window shows the system's look, and nothing of the freed
    // controller came back to it.
    void ExpectPlainWindow(const char* what)
    {
        skintest::Pump(std::chrono::milliseconds(150));
        ASSERT_TRUE(IsWindow(Window())) << what;
        EXPECT_FALSE(Skinned(Window())) << what;
        EXPECT_EQ(Controller(), nullptr) << what;
        const ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(GetWindowRgn(Window(), region.get()), ERROR) << what;
        EXPECT_NE(GetMenu(Window()), nullptr) << what;
        RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        const skintest::WindowPicture picture(Window());
        EXPECT_NE(picture.At(picture.Width() / 2, 4), skintest::kFrameSkinTitle) << what;
    }

    SkinnedForm* form_ = nullptr;
};

// The form's handling of each message frees the skin, after the system has seen the message.
TEST_F(FreedDuringMessage, AHandlerBelowTheControllerFreesTheSkin)
{
    struct Case {
        const char* what;
        UINT msg;
        std::function<void(HWND)> send;
    };
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    const Case cases[] = {
        {"new caption", WM_SETTEXT, [](HWND w) { SetWindowTextW(w, L"新标题"); }},
        {"new icon", WM_SETICON,
         [icon](HWND w) { SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)); }},
        {"resized", WM_SIZE,
         [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 460, 330, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); }},
        {"size limits", WM_GETMINMAXINFO,
         [](HWND w) {
             MINMAXINFO info{};
             SendMessageW(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
         }},
        {"frame measured", WM_NCCALCSIZE,
         [](HWND w) {
             RECT rect{0, 0, 400, 300};
             SendMessageW(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
         }},
        {"hit test", WM_NCHITTEST,
         [](HWND w) {
             RECT r;
             GetWindowRect(w, &r);
             SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + 100, r.top + 10));
         }},
    };
    for (const Case& c : cases) {
        if (!form_) Open();
        bool armed = true;
        const ui::THookToken hook = form_->AddWindowHook([&](ui::TMessage& message, const ui::TWndMethod& next) {
            next(message);
            if (message.Msg != c.msg || !armed) return;
            armed = false;
            delete form_->Skin;
            form_->Skin = nullptr;
        });
        c.send(Window());
        EXPECT_FALSE(armed) << c.what;
        ExpectPlainWindow(c.what);
        form_->RemoveWindowHook(hook);
        Close();
    }
}

// The skin goes on a timer tick while a drop-down of the skinned menu bar is open.
TEST_F(FreedDuringMessage, TheSkinGoesWhileTheMenuBarsDropDownIsOpen)
{
    const skin::TWinSkinMenu* bar = Controller()->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_GT(bar->Count(), 0);
    const RECT item = bar->Button(0)->FRect;
    RECT window;
    GetWindowRect(Window(), &window);
    const POINT at{window.left + (item.left + item.right) / 2, window.top + (item.top + item.bottom) / 2};
    skintest::TickScript script({
        [this] {
            if (!skintest::OpenMenuWindow()) return false;
            delete form_->Skin;
            form_->Skin = nullptr;
            return true;
        },
        [] {
            if (skintest::OpenMenuWindow()) EndMenu();
            return true;
        },
    });
    SendMessageW(Window(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(PumpUntil([&] { return script.Finished() && !skintest::OpenMenuWindow(); }));
    EXPECT_EQ(skin::TWinSkinForm::TrackedIndex(), -1);
    ExpectPlainWindow("drop-down");
}

}  // namespace
