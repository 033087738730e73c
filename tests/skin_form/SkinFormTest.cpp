// The skin on the real windows of the program: the main window, the duration dialog and
// message boxes get their frame, title bar, caption buttons and menu bar from the skin,
// answer hit tests and clicks, and get their own look back exactly when the skin goes off.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/Wav.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin_form/SkinWindows.h"
#include "skin_model/SkinFixture.h"
#include "support/ProcessDriver.h"
#include "support/ProgramEnvironment.h"
#include "ui/Dialogs.h"
#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Subclass.h"

namespace {

using namespace std::chrono_literals;
using skintest::FrameExtent;
using skintest::PumpUntil;

constexpr ui::TColor kMagenta = ui::RGBColor(255, 0, 255);

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(app::kApplicationTitle));

bool Skinned(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

// Every box is recorded and answered: OK, or Cancel for the close confirmation.
class Boxes {
public:
    Boxes()
        : service_([this](const ui::MessageBoxRequest& request) {
              texts_.push_back(request.text);
              return (request.flags & MB_OKCANCEL) ? IDCANCEL : IDOK;
          })
    {
    }
    std::vector<std::wstring> texts_;

private:
    ui::ScopedMessageBoxService service_;
};

class SkinnedWindows : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch_ = new testing_support::ScratchFolder(L"mjzs-skinform", true);
        Boxes quiet;
        form_ = ui::Application()->CreateForm<app::TMainForm1>();
        app::Form3 = ui::Application()->CreateForm<app::TForm3>();
        // Restored, so that every border shows. (Without a window manager, the X server keeps
        // a window that was once maximised maximised: the double-click test comes last.)
        form_->SetWindowState(ui::TWindowState::wsNormal);
        form_->SetBounds(40, 30, 760, 520);
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(Main()) && Controller()->State() == skin::TFormSkinState::Ready; }));
    }
    static void TearDownTestSuite()
    {
        Boxes quiet;
        delete app::Form3;
        app::Form3 = nullptr;
        delete form_;
        form_ = nullptr;
        delete scratch_;
    }
    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return Skinned(Main()) && Controller(); }));
        Activate(Main());
    }

    static HWND Main() { return form_->Handle(); }
    static skin::TWinSkinForm* Controller(HWND window = nullptr)
    {
        return skin::SkinManage() ? skin::SkinManage()->FindForm(window ? window : Main()) : nullptr;
    }
    static const skin::TSkinElements& Elements() { return form_->SkinData1->Elements(); }
    static void Activate(HWND window)
    {
        SetForegroundWindow(window);
        SetActiveWindow(window);
        PumpUntil([window] { return GetActiveWindow() == window; });
    }
    static POINT ScreenPoint(HWND window, POINT windowPoint)
    {
        RECT r;
        GetWindowRect(window, &r);
        return {r.left + windowPoint.x, r.top + windowPoint.y};
    }
    static LPARAM At(HWND window, POINT windowPoint)
    {
        const POINT p = ScreenPoint(window, windowPoint);
        return MAKELPARAM(p.x, p.y);
    }
    // The frame the skin gives: its borders and title, and the menu band when there is a bar.
    static SIZE SkinFrame(bool menuBar)
    {
        const skin::TSkinElements& e = Elements();
        return {e.Left->Image.Width() / e.Left->Frame + e.Right->Image.Width() / e.Right->Frame,
                e.Top->Image.Height() / e.Top->Frame + e.Bottom->Image.Height() / e.Bottom->Frame +
                    (menuBar ? GetSystemMetrics(SM_CYMENU) : 0)};
    }
    static skin::TWinSysButton* CaptionButton(int action)
    {
        for (const auto& button : Controller()->CaptionButtons())
            if (button->FVisible && button->Action() == action) return button.get();
        return nullptr;
    }
    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    static app::TMainForm1* form_;
    static testing_support::ScratchFolder* scratch_;
};

app::TMainForm1* SkinnedWindows::form_ = nullptr;
testing_support::ScratchFolder* SkinnedWindows::scratch_ = nullptr;

TEST_F(SkinnedWindows, TheMainWindowIsSkinnedOnceAndDrawsItsOwnMenuBar)
{
    skin::TSkinManage& manager = *skin::SkinManage();
    const auto count = [&] {
        return std::count_if(manager.Forms().begin(), manager.Forms().end(),
                             [](const skin::TWinSkinForm* f) { return f->FHandle == Main(); });
    };
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(manager.SkinWindow(Main()));
    EXPECT_EQ(count(), 1);

    EXPECT_EQ(GetMenu(Main()), nullptr);
    const skin::TWinSkinMenu* bar = Controller()->MenuBar();
    ASSERT_TRUE(bar);
    std::vector<std::wstring> captions;
    for (const auto& button : bar->FButtons) captions.push_back(button->FCaption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"更多功能", L"在线咨询购买建议", L"录音整理服务"}));

    const SIZE frame = FrameExtent(Main());
    EXPECT_EQ(frame.cx, SkinFrame(true).cx);
    EXPECT_EQ(frame.cy, SkinFrame(true).cy);
}

TEST_F(SkinnedWindows, HitTestsFollowTheSkinnedFrame)
{
    const RECT widths = Controller()->FrameWidths();
    RECT window;
    GetWindowRect(Main(), &window);
    const int width = window.right - window.left;
    const struct {
        POINT at;
        LRESULT code;
    } cases[] = {
        {{width / 2, widths.top / 2}, HTCAPTION},
        {{width / 2 + 40, widths.top + Controller()->MenuHeight() / 2}, HTMENU},
        {{width / 2, widths.top + Controller()->MenuHeight() + 40}, HTCLIENT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageW(Main(), WM_NCHITTEST, 0, At(Main(), c.at)), c.code) << c.at.x << "," << c.at.y;
}

TEST_F(SkinnedWindows, BordersAndTitleShowTheSkinImagesActiveAndInactive)
{
    const skin::TSkinElements& e = Elements();
    const int left = e.Left->FrameWidth(), top = e.Top->FrameHeight(), bottom = e.Bottom->FrameHeight();
    for (const bool active : {true, false}) {
        SendMessageW(Main(), WM_NCACTIVATE, active, 0);
        const int frame = active ? 1 : 2;
        const skintest::WindowPicture shot(Main());
        int compared = 0;
        // The left border's corner rows, as the image has them (its magenta is cut away).
        for (int y = 0; y < e.Left->TopHeight; ++y) {
            for (int x = 0; x < left; ++x) {
                const ui::TColor expected = skintest::PixelAt(e.Left->Image, (frame - 1) * left + x, y);
                if (expected == kMagenta) continue;
                ASSERT_EQ(shot.At(x, y), expected) << active << " left " << x << "," << y;
                ++compared;
            }
        }
        // A column of the title bar between caption and buttons, and the bottom border.
        const int column = shot.Width() / 2 + 60;
        for (int y = 0; y < top; ++y)
            ASSERT_EQ(shot.At(column, y), skintest::PixelAt(e.Top->Image, e.Top->Image.Width() / 2, (frame - 1) * top + y))
                << active << " title row " << y;
        for (int y = 0; y < bottom; ++y)
            ASSERT_EQ(shot.At(column, shot.Height() - bottom + y),
                      skintest::PixelAt(e.Bottom->Image, e.Bottom->Image.Width() / 2, (frame - 1) * bottom + y))
                << active << " bottom row " << y;
        EXPECT_GT(compared, 3 * e.Left->TopHeight);
    }
    SendMessageW(Main(), WM_NCACTIVATE, TRUE, 0);
}

TEST_F(SkinnedWindows, ANewCaptionIsShownOnTheSkinnedTitleBar)
{
    const skin::TSkinElements& e = Elements();
    const std::wstring caption = form_->Caption();
    // The system paints a caption of its own while it stores a new text.
    for (const wchar_t* text : {L"新的标题", caption.c_str()}) {
        form_->SetCaption(text);
        const skintest::WindowPicture shot(Main());
        const int column = shot.Width() / 2 + 60;
        for (int y = 0; y < e.Top->FrameHeight(); ++y)
            ASSERT_EQ(shot.At(column, y), skintest::PixelAt(e.Top->Image, e.Top->Image.Width() / 2, y)) << y;
    }
}

TEST_F(SkinnedWindows, TheRegionLeavesOutTheMagentaOfEveryBorder)
{
    const skin::TSkinElements& e = Elements();
    RECT window;
    GetWindowRect(Main(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(Main(), region.get()), ERROR);
    const int side = e.Left->FrameWidth(), imageHeight = e.Left->Image.Height();
    int cut = 0;
    for (int y = 0; y < e.Left->TopHeight; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool magenta = skintest::PixelAt(e.Left->Image, x, y) == kMagenta;
            cut += magenta;
            EXPECT_EQ(PtInRegion(region.get(), x, y) != FALSE, !magenta) << "left " << x << "," << y;
            const bool rightMagenta = skintest::PixelAt(e.Right->Image, x, y) == kMagenta;
            EXPECT_EQ(PtInRegion(region.get(), width - side + x, y) != FALSE, !rightMagenta) << "right " << x << "," << y;
        }
    }
    EXPECT_GT(cut, 0);
    // The foot of the side borders: its last row, where the image has magenta too.
    const bool footMagenta = skintest::PixelAt(e.Left->Image, 0, imageHeight - 1) == kMagenta;
    EXPECT_EQ(PtInRegion(region.get(), 0, height - 1) != FALSE, !footMagenta);
    EXPECT_TRUE(PtInRegion(region.get(), width / 2, height / 2));
}

TEST_F(SkinnedWindows, CaptionButtonsHoverPressAndActOnlyWhenReleasedOverThemselves)
{
    skin::TWinSysButton* close = CaptionButton(0);
    ASSERT_TRUE(close);
    const RECT r = close->FRect;
    const POINT inside{r.left + 3, (r.top + r.bottom) / 2};
    const auto pixel = [&] { return skintest::WindowPicture(Main()).At(inside.x, inside.y); };
    const auto imagePixel = [&](int frame) {
        return skintest::PixelAt(close->FElement->Image, (frame - 1) * close->FElement->FrameWidth() + 3,
                                 (r.bottom - r.top) / 2);
    };

    Boxes boxes;
    SendMessageW(Main(), WM_NCMOUSEMOVE, HTCAPTION, At(Main(), inside));
    EXPECT_EQ(close->FState, skin::TNCState::Hot);
    EXPECT_EQ(pixel(), imagePixel(3));
    SendMessageW(Main(), WM_NCLBUTTONDOWN, HTCAPTION, At(Main(), inside));
    EXPECT_EQ(close->FState, skin::TNCState::Pressed);
    EXPECT_EQ(pixel(), imagePixel(2));
    // Released over the caption instead: nothing happens.
    SendMessageW(Main(), WM_NCLBUTTONUP, HTCAPTION, At(Main(), {r.left - 200, inside.y}));
    skintest::Pump(100ms);
    EXPECT_TRUE(boxes.texts_.empty());
    EXPECT_TRUE(IsWindowVisible(Main()));

    SendMessageW(Main(), WM_NCLBUTTONDOWN, HTCAPTION, At(Main(), inside));
    SendMessageW(Main(), WM_NCLBUTTONUP, HTCAPTION, At(Main(), inside));
    ASSERT_TRUE(PumpUntil([&] { return !boxes.texts_.empty(); }));
    EXPECT_EQ(boxes.texts_, std::vector<std::wstring>{L"程序即将关闭，请确认你已经保存了文档！"});
    EXPECT_TRUE(IsWindow(Main()));
}

// Opens a drop-down, then presses the keys while it is open; the bar items whose drop-downs
// were open, in order.
std::vector<int> Slide(const std::function<void()>& open, const std::vector<WORD>& keys)
{
    std::vector<int> seen;
    std::vector<std::function<bool()>> steps;
    for (WORD key : keys) {
        steps.push_back([&seen, key] {
            const HWND menu = skintest::OpenMenuWindow();
            if (!menu) return false;
            seen.push_back(skin::TWinSkinForm::TrackedIndex());
            PostMessageW(menu, WM_KEYDOWN, key, 0);
            return true;
        });
    }
    steps.push_back([&seen] {
        const HWND menu = skintest::OpenMenuWindow();
        if (!menu) return false;
        seen.push_back(skin::TWinSkinForm::TrackedIndex());
        EndMenu();
        return true;
    });
    skintest::TickScript script(std::move(steps));
    open();
    PumpUntil([&] { return script.Finished() && !skintest::OpenMenuWindow(); });
    return seen;
}

TEST_F(SkinnedWindows, TheMenuBarOpensByMouseAndF10AndSlidesWithLeftAndRight)
{
    const skin::TWinSkinMenu& bar = *Controller()->MenuBar();
    const POINT first = Centre(bar.FButtons[0]->FRect);
    EXPECT_EQ(Slide([&] { SendMessageW(Main(), WM_NCLBUTTONDOWN, HTMENU, At(Main(), first)); }, {VK_RIGHT, VK_LEFT}),
              (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(skin::TWinSkinForm::TrackedIndex(), -1);
    // F10 and Alt alone in another control open the first item.
    for (const WORD key : {WORD(VK_F10), WORD(VK_MENU)}) {
        Boxes boxes;
        EXPECT_EQ(Slide([&] { skintest::TapKey(form_->Edit1->Handle(), key, key == VK_MENU); }, {}), std::vector<int>{0})
            << key;
        EXPECT_TRUE(boxes.texts_.empty());
    }
}

TEST_F(SkinnedWindows, AMenuChangeKeepsTheBarDrawnByTheSkin)
{
    const SIZE frame = FrameExtent(Main());
    form_->N20->SetCaption(L"录音整理");
    EXPECT_EQ(Controller()->MenuBar()->FButtons[2]->FCaption, L"录音整理");
    form_->N20->SetCaption(L"录音整理服务");
    EXPECT_EQ(Controller()->MenuBar()->FButtons[2]->FCaption, L"录音整理服务");
    skintest::Pump(50ms);
    EXPECT_EQ(GetMenu(Main()), nullptr);
    EXPECT_EQ(FrameExtent(Main()).cy, frame.cy);
}

// A form of the program's kind with accelerators on its menu bar and an edit to type in.
class AcceleratorForm : public ui::TForm {
public:
    explicit AcceleratorForm(ui::TComponent* owner) : ui::TForm(owner)
    {
        SetBounds(120, 90, 420, 260);
        SetWindowState(ui::TWindowState::wsNormal);
        Edit = new ui::TEdit(this);
        Edit->SetBounds(10, 10, 200, 24);
        Edit->SetParent(this);
        Menu = new ui::TMainMenu(this);
        for (const wchar_t* caption : {L"&File", L"&Edit", L"&Help"}) {
            auto* item = new ui::TMenuItem(this);
            item->SetCaption(caption);
            auto* inner = new ui::TMenuItem(this);
            inner->SetCaption(L"Item");
            item->Add(inner);
            Menu->Items()->Add(item);
        }
        SetMenu(Menu);
    }
    ui::TEdit* Edit;
    ui::TMainMenu* Menu;
};

TEST_F(SkinnedWindows, AltWithALetterOpensThatItemAndTheBarWrapsAround)
{
    std::unique_ptr<AcceleratorForm> other(new AcceleratorForm(nullptr));
    other->Show();
    ASSERT_TRUE(PumpUntil([&] {
        return Controller(other->Handle()) && Controller(other->Handle())->State() == skin::TFormSkinState::Ready;
    }));
    other->Edit->SetFocus();
    const HWND edit = other->Edit->Handle();
    const auto altChar = [edit](wchar_t ch) {
        return [edit, ch] { PostMessageW(edit, WM_SYSCHAR, ch, 1 | (1 << 29)); ui::Application()->ProcessMessages(); };
    };
    EXPECT_EQ(Slide(altChar(L'e'), {}), std::vector<int>{1});
    EXPECT_EQ(Slide(altChar(L'F'), {VK_LEFT, VK_RIGHT}), (std::vector<int>{0, 2, 0}));
    // A letter that no item has opens no item of the bar.
    const std::vector<int> none = Slide(altChar(L'q'), {});
    EXPECT_TRUE(std::none_of(none.begin(), none.end(), [](int index) { return index >= 0; }));
    other.reset();
    Activate(Main());
}

TEST_F(SkinnedWindows, RightClickOnTheCaptionAndAltSpaceOpenTheSystemMenu)
{
    const UINT items = static_cast<UINT>(GetMenuItemCount(GetSystemMenu(Main(), FALSE)));
    ASSERT_GT(items, 0u);
    const auto open = [&](const std::function<void()>& how) {
        std::optional<skin::TPopupKind> kind;
        int count = -1;
        skintest::TickScript script({[&] {
            const HWND menu = skintest::OpenMenuWindow();
            if (!menu) return false;
            kind = skin::SkinManage()->PopupKind();
            count = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
            EndMenu();
            return true;
        }});
        how();
        PumpUntil([&] { return script.Finished() && !skintest::OpenMenuWindow(); });
        return std::make_pair(kind, count);
    };
    const RECT widths = Controller()->FrameWidths();
    const auto byMouse = open([&] { SendMessageW(Main(), WM_NCRBUTTONDOWN, HTCAPTION, At(Main(), {200, widths.top / 2})); });
    EXPECT_EQ(byMouse.first, skin::TPopupKind::SystemMenu);
    EXPECT_EQ(byMouse.second, static_cast<int>(items));
    skintest::Pump(600ms);  // a second press at once would count as a double-click
    const auto byKey = open([&] { SendMessageW(Main(), WM_SYSCOMMAND, SC_KEYMENU, L' '); });
    EXPECT_EQ(byKey.first, skin::TPopupKind::SystemMenu);
    EXPECT_EQ(byKey.second, static_cast<int>(items));
}

TEST_F(SkinnedWindows, AFormTaggedNinetyNineIsNeverSkinned)
{
    std::unique_ptr<ui::TForm> form(new ui::TForm(nullptr));
    form->SetTag(99);
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    skintest::Pump(400ms);
    EXPECT_FALSE(Skinned(form->Handle()));
    EXPECT_FALSE(Controller(form->Handle()));
    EXPECT_FALSE(skin::SkinManage()->SkinWindow(form->Handle()));
    form.reset();
    Activate(Main());
}

TEST_F(SkinnedWindows, AMessageBoxTakesTheDialogSkinWhenOneIsRegistered)
{
    skin::TSkinData dialogs(nullptr);
    dialogs.SkinFormtype = skin::TSkinFormType::sfDialog;
    skintest::LoadPackage(dialogs, skintest::FrameSkin());
    skin::TSkinManage& manager = *skin::SkinManage();
    manager.RegisterSkin(dialogs);
    EXPECT_EQ(manager.ChooseSkin(Main()), form_->SkinData1);

    ui::ScopedMessageBoxService system(nullptr);
    std::optional<SIZE> frame;
    skin::TSkinData* chosen = nullptr;
    skintest::TickScript script({[&] {
        const HWND box = skintest::ThreadWindow(L"#32770");
        if (!box || !Controller(box) || Controller(box)->State() != skin::TFormSkinState::Ready) return false;
        chosen = manager.ChooseSkin(box);
        frame = FrameExtent(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }});
    ui::MessageBox(nullptr, L"对话框皮肤", app::kApplicationTitle, MB_OK);
    manager.UnregisterSkin(dialogs);
    EXPECT_EQ(chosen, &dialogs);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->cx, 12);
    EXPECT_EQ(frame->cy, 22 + 5);
}

TEST_F(SkinnedWindows, InTheMemoF10AndAltWarnAndOpenNoMenu)
{
    const std::filesystem::path recording = std::filesystem::current_path() / L"silence.wav";
    testing_app::WriteSilentWav(recording, 3000);
    form_->MediaPlayer1->SetFileName(recording.wstring());
    form_->MediaPlayer1->Open();
    for (const WORD key : {WORD(VK_F10), WORD(VK_MENU)}) {
        Boxes boxes;
        std::vector<int> seen;
        skintest::TickScript script({[&] {
            seen.push_back(skin::TWinSkinForm::TrackedIndex());
            EndMenu();
            return true;
        }});
        skintest::TapKey(form_->Memo1->Handle(), key, key == VK_MENU);
        PumpUntil([&] { return script.Finished(); });
        EXPECT_EQ(seen, std::vector<int>{-1}) << key;
        EXPECT_EQ(boxes.texts_, std::vector<std::wstring>{L"警告！系统热键冲突，请勿乱按系统功能键！"}) << key;
    }
}

TEST_F(SkinnedWindows, TheDurationDialogAndAMessageBoxAreSkinnedWhenTheyAppear)
{
    // The duration dialog: skinned frame without a menu band; closed from inside its loop.
    std::optional<SIZE> dialogFrame;
    bool dialogSkinned = false;
    {
        skintest::TickScript script({[&] {
            const HWND dialog = app::Form3->WindowHandle();
            if (!dialog || !IsWindowVisible(dialog) || !Skinned(dialog) || !Controller(dialog) ||
                Controller(dialog)->State() != skin::TFormSkinState::Ready)
                return false;
            dialogSkinned = true;
            dialogFrame = FrameExtent(dialog);
            app::Form3->SetModalResult(ui::mrCancel);
            return true;
        }});
        app::Form3->ShowModal();
    }
    EXPECT_TRUE(dialogSkinned);
    ASSERT_TRUE(dialogFrame);
    EXPECT_EQ(dialogFrame->cx, SkinFrame(false).cx);
    EXPECT_EQ(dialogFrame->cy, SkinFrame(false).cy);

    // A real message box of the system, found by its class while it shows.
    ui::ScopedMessageBoxService system(nullptr);
    std::optional<SIZE> boxFrame;
    bool boxRegion = false;
    skintest::TickScript script({[&] {
        const HWND box = skintest::ThreadWindow(L"#32770");
        if (!box || !Skinned(box) || !Controller(box) || Controller(box)->State() != skin::TFormSkinState::Ready) return false;
        boxFrame = FrameExtent(box);
        const ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
        boxRegion = GetWindowRgn(box, region.get()) != ERROR && !PtInRegion(region.get(), 0, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }});
    ui::MessageBox(nullptr, L"皮肤", app::kApplicationTitle, MB_OK);
    ASSERT_TRUE(boxFrame);
    EXPECT_EQ(boxFrame->cx, SkinFrame(false).cx);
    EXPECT_EQ(boxFrame->cy, SkinFrame(false).cy);
    EXPECT_TRUE(boxRegion);
}

// Counts the messages that pass through it, and keeps the system commands.
struct CountingSubclass {
    ui::TWindowSubclass subclass;
    int seen = 0;
    std::vector<WPARAM> commands;
    void Attach(HWND window)
    {
        subclass.Attach(window, [this](HWND, UINT msg, WPARAM w, LPARAM l) {
            ++seen;
            if (msg == WM_SYSCOMMAND) commands.push_back(w & 0xFFF0);
            return subclass.CallNext(msg, w, l);
        });
    }
};

TEST_F(SkinnedWindows, SwitchingOffRestoresTheWindowExactlyInEitherOrderWithAnotherSubclass)
{
    skin::TSkinData& skin = *form_->SkinData1;
    const auto switchTo = [&](bool on) {
        skin.SetActive(on);
        return PumpUntil([&] { return Skinned(Main()) == on && (!on || Controller()->State() == skin::TFormSkinState::Ready); });
    };
    const SIZE client = skintest::ClientSize(Main());
    ASSERT_TRUE(switchTo(false));
    const LONG_PTR plainProc = GetWindowLongPtrW(Main(), GWLP_WNDPROC);
    const LONG_PTR plainStyle = GetWindowLongPtrW(Main(), GWL_STYLE);
    const SIZE plainFrame = FrameExtent(Main());
    EXPECT_EQ(skintest::ClientSize(Main()).cx, client.cx);
    EXPECT_EQ(skintest::ClientSize(Main()).cy, client.cy);
    EXPECT_EQ(GetMenu(Main()), form_->MainMenu1->Handle());
    const ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(Main(), region.get()), ERROR);
    EXPECT_TRUE(skin::SkinManage()->Forms().empty());

    // Another subclass attached before the skin, then one attached after it.
    for (const bool otherFirst : {true, false}) {
        CountingSubclass other;
        if (otherFirst) other.Attach(Main());
        ASSERT_TRUE(switchTo(true)) << otherFirst;
        if (!otherFirst) other.Attach(Main());
        EXPECT_EQ(FrameExtent(Main()).cy, SkinFrame(true).cy);
        EXPECT_EQ(skintest::ClientSize(Main()).cy, client.cy) << "on " << otherFirst;
        ASSERT_TRUE(switchTo(false)) << otherFirst;
        const int before = other.seen;
        EXPECT_EQ(SendMessageW(Main(), skin::SKM_PROBE, 0, 0), 0);
        EXPECT_EQ(other.seen, before + 1);
        EXPECT_EQ(skintest::ClientSize(Main()).cx, client.cx);
        EXPECT_EQ(skintest::ClientSize(Main()).cy, client.cy);
        EXPECT_EQ(FrameExtent(Main()).cy, plainFrame.cy);
        EXPECT_EQ(GetWindowLongPtrW(Main(), GWL_STYLE), plainStyle);
        EXPECT_EQ(GetMenu(Main()), form_->MainMenu1->Handle());
        other.subclass.Detach();
        EXPECT_EQ(GetWindowLongPtrW(Main(), GWLP_WNDPROC), plainProc);
    }
    ASSERT_TRUE(switchTo(true));
    EXPECT_EQ(skintest::ClientSize(Main()).cy, client.cy);
}

TEST_F(SkinnedWindows, ASecondSkinFileReskinsLiveAroundTheSameClient)
{
    skin::TSkinData& skin = *form_->SkinData1;
    const SIZE client = skintest::ClientSize(Main());
    const std::filesystem::path file = std::filesystem::current_path() / L"other.skn";
    {
        const skin::TBytes bytes = skintest::FrameSkin();
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const std::vector<std::uint8_t> original = skin.StoredPackage();
    skin.SetSkinFile(file.wstring());
    ASSERT_TRUE(PumpUntil([&] { return FrameExtent(Main()).cx == 12; }));
    EXPECT_EQ(FrameExtent(Main()).cy, 22 + 5 + GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(skintest::ClientSize(Main()).cx, client.cx);
    EXPECT_EQ(skintest::ClientSize(Main()).cy, client.cy);
    EXPECT_EQ(skintest::WindowPicture(Main()).At(2, 60), skintest::kFrameSkinLeft);
    ASSERT_FALSE(HasFailure());

    // Back to the program's own skin.
    skintest::LoadPackage(skin, original);
    skin.ApplySkinChange();
    ASSERT_TRUE(PumpUntil([&] { return FrameExtent(Main()).cy == SkinFrame(true).cy; }));
    EXPECT_EQ(skintest::ClientSize(Main()).cy, client.cy);
}

TEST_F(SkinnedWindows, RepaintsAndSwitchingOffAndOnLeakNoHandles)
{
    skin::TSkinManage& manager = *skin::SkinManage();
    // The same work first, so that what is kept between repaints exists before counting.
    const auto repaint = [](int k) {
        SendMessageW(Main(), WM_NCACTIVATE, k % 2 == 0, 0);
        Controller()->PaintFrame();
    };
    for (int k = 0; k < 20; ++k) repaint(k);
    const std::uintptr_t slot = skintest::GdiTableReach();
    for (int k = 0; k < 1000; ++k) repaint(k);
    EXPECT_EQ(skintest::GdiTableReach(), slot);
    SendMessageW(Main(), WM_NCACTIVATE, TRUE, 0);

    const auto cycle = [&](int k) {
        manager.SetCurrentSkin(*form_->SkinData1);
        manager.Schedule(2, 1);
        ASSERT_TRUE(PumpUntil([] { return !Skinned(Main()); })) << k;
        manager.SetCurrentSkin(*form_->SkinData1);
        manager.Schedule(1, 1);
        ASSERT_TRUE(PumpUntil([] { return Skinned(Main()) && Controller()->State() == skin::TFormSkinState::Ready; })) << k;
    };
    for (int k = 0; k < 3; ++k) cycle(k);
    const auto before = static_cast<std::intptr_t>(skintest::GdiTableReach());
    for (int k = 0; k < 100; ++k) cycle(k);
    // The system's own objects of a shown window come and go with its messages, a few either
    // way; one object left behind per cycle would add a hundred.
    EXPECT_LT(static_cast<std::intptr_t>(skintest::GdiTableReach()) - before, 50);
}

TEST_F(SkinnedWindows, ACaptionButtonShowsItsHintAfterTwiceTheHintPauseAndLetsGoWhenTheMouseLeaves)
{
    skin::TWinSysButton* close = CaptionButton(0);
    ASSERT_TRUE(close);
    const skin::TSkinData& skin = *form_->SkinData1;
    const POINT inside = ScreenPoint(Main(), Centre(close->FRect));
    ASSERT_TRUE(SetCursorPos(inside.x, inside.y));
    SendMessageW(Main(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(inside.x, inside.y));
    ASSERT_EQ(close->FState, skin::TNCState::Hot);
    const auto pause = std::chrono::milliseconds(2 * ui::Application()->HintPause());
    skintest::Pump(pause / 2);
    EXPECT_FALSE(skin.CaptionHintShowing());
    EXPECT_TRUE(PumpUntil([&] { return skin.CaptionHintShowing(); }, pause + 1s));
    EXPECT_EQ(close->FState, skin::TNCState::Hot);

    const POINT away = ScreenPoint(Main(), {200, 300});
    SetCursorPos(away.x, away.y);
    EXPECT_TRUE(PumpUntil([&] { return !skin.CaptionHintShowing() && close->FState == skin::TNCState::Normal; }, 2s));
    EXPECT_EQ(Controller()->HotObject(), nullptr);
}

TEST_F(SkinnedWindows, DoubleClickOnTheCaptionTogglesMaximised)
{
    CountingSubclass watch;
    watch.Attach(Main());
    const auto doubleClick = [] {
        RECT window;
        GetWindowRect(Main(), &window);
        SendMessageW(Main(), WM_NCLBUTTONDBLCLK, HTCAPTION,
                     At(Main(), {(window.right - window.left) / 2, Controller()->FrameWidths().top / 2}));
    };
    // Without a window manager the X server does not carry out a maximise of a shown
    // window, so the requests the caption makes are what is checked.
    doubleClick();
    skintest::Pump(100ms);
    doubleClick();
    skintest::Pump(100ms);
    ASSERT_GE(watch.commands.size(), 2u);
    EXPECT_EQ(watch.commands[0], SC_MAXIMIZE);
    EXPECT_EQ(watch.commands[1], SC_RESTORE);
}

}  // namespace
