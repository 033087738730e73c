// Popup menus drawn from the skin on the real main window: every skinned menu window answers
// SKM_PROBE and shows the MenuBackground border; items show the MenuItem frames (selected and
// normal), the check mark, disabled and default items and right-aligned shortcuts; the keyboard
// still moves through the menus; the system menu is an owner-drawn popup with the items the
// window's state allows; popups stay plain where the skin does not cover them; a thousand
// popups leave no handles behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/Unit1.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinImage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/SkinPopup.h"
#include "skin_form/SkinWindows.h"
#include "support/ProcessDriver.h"
#include "support/ProgramEnvironment.h"
#include "ui/Dialogs.h"

namespace {

using skintest::PumpUntil;

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(app::kApplicationTitle));

bool Skinned(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

// Every visible menu window of the thread.
std::vector<HWND> MenuWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (IsWindowVisible(window) && lstrcmpW(name, L"#32768") == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND MenuWindowOf(HMENU menu)
{
    for (HWND window : MenuWindows())
        if (reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) == menu) return window;
    return nullptr;
}

// An item's rectangle in its menu window's coordinates.
RECT ItemRect(HWND window, int index)
{
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    RECT item{}, frame{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &item);
    GetWindowRect(window, &frame);
    OffsetRect(&item, -frame.left, -frame.top);
    return item;
}

// How many pixels of a rectangle show exactly this colour.
int CountColour(const skintest::WindowPicture& picture, const RECT& r, ui::TColor colour)
{
    int count = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, picture.Height()); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, picture.Width()); ++x)
            if (picture.At(x, y) == colour) ++count;
    return count;
}

// Runs the steps while a menu is open (each asked again until it is done), then ends the menu.
void WhileOpen(const std::function<void()>& open, std::vector<std::function<bool()>> steps)
{
    steps.push_back([] {
        EndMenu();
        return true;
    });
    skintest::TickScript script(std::move(steps));
    open();
    PumpUntil([&] { return script.Finished() && MenuWindows().empty(); });
}

class SkinnedPopups : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch_ = new testing_support::ScratchFolder(L"mjzs-skinpopup", true);
        form_ = ui::Application()->CreateForm<app::TMainForm1>();
        form_->SetWindowState(ui::TWindowState::wsNormal);
        form_->SetBounds(40, 30, 760, 520);
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(Main()) && Controller() && Controller()->State() == skin::TFormSkinState::Ready; }));
    }
    static void TearDownTestSuite()
    {
        ui::ScopedMessageBoxService quiet([](const ui::MessageBoxRequest&) { return IDOK; });
        delete form_;
        form_ = nullptr;
        delete scratch_;
    }
    void SetUp() override
    {
        SetForegroundWindow(Main());
        PumpUntil([] { return GetActiveWindow() == Main(); });
    }

    static HWND Main() { return form_->Handle(); }
    static skin::TWinSkinForm* Controller() { return skin::SkinManage() ? skin::SkinManage()->FindForm(Main()) : nullptr; }
    static const skin::TSkinElements& Elements() { return form_->SkinData1->Elements(); }
    static ui::TColor SkinColour(int slot) { return ui::ColorToRGB(form_->SkinData1->Color(slot)); }

    // Whether the menu window's 3-pixel border shows the MenuBackground nine-grid.
    static bool BorderFromSkin(HWND window)
    {
        const skintest::WindowPicture picture(window);
        const skin::TDataSkinObject& e = *Elements().MenuBackground;
        const auto expected =
            skin::BuildNineGrid({picture.Width(), picture.Height()}, e.Image, e.Margins(), false, e.Tile != 0, 1, 1);
        int wrong = 0;
        for (int x = 0; x < picture.Width(); ++x)
            for (int y : {0, 1, 2, picture.Height() - 3, picture.Height() - 2, picture.Height() - 1})
                if (picture.At(x, y) != expected->Canvas().Pixel(x, y)) ++wrong;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x : {0, 1, 2, picture.Width() - 3, picture.Width() - 2, picture.Width() - 1})
                if (picture.At(x, y) != expected->Canvas().Pixel(x, y)) ++wrong;
        return wrong == 0;
    }

    // The MenuItem frame an item should show at a point of its right margin (where no text
    // lies): the element's pixel there, or the menu background where the element is magenta.
    static ui::TColor ItemFramePixel(HWND window, const RECT& item, int frame, POINT at)
    {
        const skin::TDataSkinObject& e = *Elements().MenuItem;
        const int w = item.right - item.left;
        const int h = item.bottom - item.top;
        ui::TBitmap expected(w, h);
        const skintest::WindowPicture picture(window);
        const skin::TDataSkinObject& bg = *Elements().MenuBackground;
        const auto background =
            skin::BuildNineGrid({picture.Width(), picture.Height()}, bg.Image, bg.Margins(), false, bg.Tile != 0, 1, 1);
        BitBlt(expected.Canvas().Handle(), 0, 0, w, h, background->Canvas().Handle(), item.left, item.top, SRCCOPY);
        skin::DrawSkinElement(expected.Canvas().Handle(), {0, 0, w, h}, e.Image, e.Margins(), false, e.Tile != 0, e.Trans != 0,
            skin::kMenuItemFrames, frame);
        return expected.Canvas().Pixel(at.x - item.left, at.y - item.top);
    }

    static app::TMainForm1* form_;
    static testing_support::ScratchFolder* scratch_;
};

app::TMainForm1* SkinnedPopups::form_ = nullptr;
testing_support::ScratchFolder* SkinnedPopups::scratch_ = nullptr;

TEST_F(SkinnedPopups, ArchiveContextMenuShowsTheSkinBorderAndTheSelectedFrame)
{
    bool probed = false, border = false;
    ui::TColor selectedShown = 0, selectedWanted = 1, normalShown = 0, normalWanted = 1;
    HWND window = nullptr;
    form_->PopupMenu1->SetPopupComponent(form_->DBGrid1);
    WhileOpen([] { form_->PopupMenu1->Popup(200, 200); },
        {[&] {
             const std::vector<HWND> open = MenuWindows();
             if (open.empty()) return false;
             window = open.front();
             probed = Skinned(window);
             border = BorderFromSkin(window);
             PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
             return true;
         },
            [&] {
                const RECT first = ItemRect(window, 0);
                const RECT second = ItemRect(window, 1);
                const POINT inFirst{first.right - 2, (first.top + first.bottom) / 2};
                const POINT inSecond{second.right - 2, (second.top + second.bottom) / 2};
                const skintest::WindowPicture picture(window);
                selectedShown = picture.At(inFirst.x, inFirst.y);
                normalShown = picture.At(inSecond.x, inSecond.y);
                selectedWanted = ItemFramePixel(window, first, skin::kMenuItemSelected, inFirst);
                normalWanted = ItemFramePixel(window, second, skin::kMenuItemNormal, inSecond);
                return true;
            }});
    EXPECT_TRUE(probed);
    EXPECT_TRUE(border);
    EXPECT_EQ(selectedShown, selectedWanted);
    EXPECT_EQ(normalShown, normalWanted);
    EXPECT_NE(selectedWanted, normalWanted);
    EXPECT_TRUE(skin::PopupMenuSkins().Empty());
}

TEST_F(SkinnedPopups, DropDownAndSubmenuFollowTheKeyboardAndShowTheCheckMarkAtLarge)
{
    const skin::TWinSkinMenu& bar = *Controller()->MenuBar();
    const RECT button = bar.FButtons[0]->FRect;
    RECT frame;
    GetWindowRect(Main(), &frame);
    const POINT press{frame.left + (button.left + button.right) / 2, frame.top + (button.top + button.bottom) / 2};
    HWND dropDown = nullptr, sizes = nullptr;
    int markPixels = -1, plainPixels = -1;
    bool bothSkinned = false, bordersFromSkin = false, submenuClosed = false;
    const ui::TColor mark = SkinColour(skin::csButtonText);
    WhileOpen([&] { SendMessageW(Main(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(press.x, press.y)); },
        {[&] {
             dropDown = MenuWindowOf(form_->N2->Handle());
             if (!dropDown) return false;
             // From the first item down to 文字大小, then right into its submenu.
             PostMessageW(dropDown, WM_KEYDOWN, VK_DOWN, 0);
             PostMessageW(dropDown, WM_KEYDOWN, VK_RIGHT, 0);
             return true;
         },
            [&] {
                sizes = MenuWindowOf(form_->N6->Handle());
                if (!sizes) return false;
                bothSkinned = Skinned(dropDown) && Skinned(sizes);
                bordersFromSkin = BorderFromSkin(dropDown) && BorderFromSkin(sizes);
                const skintest::WindowPicture picture(sizes);
                const auto glyphBox = [&](int index) {
                    RECT r = ItemRect(sizes, index);
                    r.right = r.left + Elements().MenuItem->LeftWidth + 20;
                    return r;
                };
                markPixels = CountColour(picture, glyphBox(2), mark);   // 大, checked
                plainPixels = CountColour(picture, glyphBox(1), mark);  // 中
                PostMessageW(sizes, WM_KEYDOWN, VK_ESCAPE, 0);
                return true;
            },
            [&] {
                submenuClosed = !MenuWindowOf(form_->N6->Handle()) && MenuWindowOf(form_->N2->Handle());
                return true;
            }});
    EXPECT_TRUE(bothSkinned);
    EXPECT_TRUE(bordersFromSkin);
    EXPECT_GT(markPixels, 5);
    EXPECT_EQ(plainPixels, 0);
    EXPECT_TRUE(submenuClosed);

    // With the skin off, the entries are the system's to draw again; with it on, the skin's.
    const auto ownerDrawn = [] {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(form_->N6->Handle(), 2, TRUE, &info);
        return (info.fType & MFT_OWNERDRAW) != 0;
    };
    ASSERT_TRUE(ownerDrawn());
    skin::TSkinManage& manager = *skin::SkinManage();
    manager.SetCurrentSkin(*form_->SkinData1);
    manager.Schedule(2, 1);
    ASSERT_TRUE(PumpUntil([] { return !Skinned(Main()); }));
    EXPECT_FALSE(ownerDrawn());
    manager.SetCurrentSkin(*form_->SkinData1);
    manager.Schedule(1, 1);
    ASSERT_TRUE(PumpUntil([] { return Skinned(Main()) && Controller() && Controller()->State() == skin::TFormSkinState::Ready; }));
}

TEST_F(SkinnedPopups, DisabledDefaultAndShortcutItemsAreDrawnAsSuch)
{
    auto* menu = new ui::TPopupMenu(form_);
    auto add = [&](const wchar_t* caption) {
        auto* item = new ui::TMenuItem(form_);
        item->SetCaption(caption);
        item->SetShortCut(ui::ShortCut('S', ui::ssCtrl));
        menu->Items()->Add(item);
        return item;
    };
    add(L"保存文档")->SetDefault(true);
    add(L"保存文档");
    add(L"删除文档")->SetEnabled(false);
    skin::SetMenusOwnerDraw(*form_, form_->SkinData1, true);
    menu->SetPopupComponent(form_->Memo1);

    const ui::TColor text = SkinColour(skin::csMenuText);
    ui::TColor disabled = SkinColour(skin::csButtonShadow);
    if (disabled == text) disabled = ui::ColorToRGB(ui::clBtnShadow);
    int boldPixels = 0, plainPixels = 0, disabledText = 0, disabledGrey = 0, keysGap = -1;
    WhileOpen([&] { menu->Popup(240, 160); },
        {[&] {
            const std::vector<HWND> open = MenuWindows();
            if (open.empty()) return false;
            const HWND window = open.front();
            const skintest::WindowPicture picture(window);
            RECT bold = ItemRect(window, 0), plain = ItemRect(window, 1), off = ItemRect(window, 2);
            boldPixels = CountColour(picture, bold, text);
            plainPixels = CountColour(picture, plain, text);
            disabledText = CountColour(picture, off, text);
            disabledGrey = CountColour(picture, off, disabled);
            // The shortcut's last column of ink ends 11 pixels before the item's right edge.
            const auto ink = [](ui::TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 128; };
            for (int x = plain.right - 1; x >= plain.left && keysGap < 0; --x)
                for (int y = plain.top; y < plain.bottom; ++y)
                    if (ink(picture.At(x, y))) {
                        keysGap = plain.right - 1 - x;
                        break;
                    }
            return true;
        }});
    delete menu;
    EXPECT_GT(boldPixels, plainPixels + plainPixels / 10);
    EXPECT_GT(disabledGrey, 20);
    EXPECT_EQ(disabledText, 0);
    EXPECT_GE(keysGap, 11);
    EXPECT_LE(keysGap, 12);
}

TEST_F(SkinnedPopups, SystemMenuIsAnOwnerDrawnPopupWithTheItemsTheWindowAllows)
{
    bool probed = false;
    bool border = false;
    WhileOpen([] { Controller()->OpenSystemMenu({300, 200}); },
        {[&] {
            const std::vector<HWND> open = MenuWindows();
            if (open.empty()) return false;
            probed = Skinned(open.front());
            border = BorderFromSkin(open.front());
            return true;
        }});
    EXPECT_TRUE(probed);
    EXPECT_TRUE(border);
    ui::TPopupMenu* popup = Controller()->SystemMenuPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Tag(), skin::kSystemMenuTag);
    EXPECT_TRUE(popup->OwnerDraw());
    const struct {
        UINT command;
        bool enabled;
        int image;
    } expected[] = {
        {SC_RESTORE, false, skin::sgRestore},
        {SC_MINIMIZE, true, skin::sgMinimize},
        {SC_MAXIMIZE, true, skin::sgMaximize},
        {SC_CLOSE, true, skin::sgClose},
    };
    for (const auto& e : expected) {
        const ui::TMenuItem* found = nullptr;
        for (int i = 0; i < popup->Items()->Count(); ++i)
            if (popup->Items()->Items(i)->Tag() == static_cast<std::intptr_t>(e.command)) found = popup->Items()->Items(i);
        ASSERT_NE(found, nullptr) << std::hex << e.command;
        EXPECT_EQ(found->Enabled(), e.enabled) << std::hex << e.command;
        EXPECT_EQ(found->ImageIndex(), e.image) << std::hex << e.command;
        EXPECT_TRUE(found->OnDrawItem);
    }
}

TEST_F(SkinnedPopups, WithoutPopupMenusInTheSkinAContextMenuKeepsTheSystemLook)
{
    form_->SkinData1->SkinControls.Exclude(skin::TSkinControlType::xcPopupMenu);
    ui::TForm other(nullptr);
    other.SetBounds(100, 100, 300, 200);
    auto* menu = new ui::TPopupMenu(&other);
    auto* item = new ui::TMenuItem(&other);
    item->SetCaption(L"复制");
    menu->Items()->Add(item);
    other.Show();
    const bool otherSkinned = PumpUntil([&] { return Skinned(other.Handle()); });
    menu->SetPopupComponent(&other);
    bool probed = true;
    WhileOpen([&] { menu->Popup(150, 150); },
        {[&] {
            const std::vector<HWND> open = MenuWindows();
            if (open.empty()) return false;
            probed = Skinned(open.front());
            return true;
        }});
    form_->SkinData1->SkinControls.Include(skin::TSkinControlType::xcPopupMenu);
    EXPECT_TRUE(otherSkinned);
    EXPECT_FALSE(probed);
    EXPECT_FALSE(menu->OwnerDraw());
}

TEST_F(SkinnedPopups, AThousandPopupsLeaveNoHandlesBehind)
{
    const auto popups = [](int count) {
        for (int k = 0; k < count; ++k) {
            const UINT_PTR timer = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
                if (MenuWindows().empty()) return;
                KillTimer(nullptr, id);
                EndMenu();
            });
            form_->PopupMenu1->Popup(200, 200);
            KillTimer(nullptr, timer);
        }
    };
    popups(5);
    const std::uintptr_t before = skintest::GdiTableReach();
    popups(1000);
    EXPECT_EQ(skintest::GdiTableReach(), before);
    EXPECT_TRUE(skin::PopupMenuSkins().Empty());
}

}  // namespace
