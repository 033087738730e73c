// Menus: command numbers stay in their range and are reused, temporary items take none,
// items carry images, shortcuts and a default, handlers are removed by their installer's
// token, drop-downs lead back to their items, and owner-drawn popups draw wherever shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace {

// Runs `inside` once the menu window of a tracked popup shows, then ends the menu.
std::function<void(HWND)> g_whileOpen;

void CALLBACK VisitOpenMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, timer);
    UpdateWindow(menu);
    if (g_whileOpen) g_whileOpen(menu);
    EndMenu();
}

void PopupAndVisit(ui::TPopupMenu& menu, std::function<void(HWND)> inside)
{
    g_whileOpen = std::move(inside);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &VisitOpenMenu);
    menu.Popup(120, 120);
    KillTimer(nullptr, timer);
    g_whileOpen = nullptr;
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        application_ = std::make_unique<ui::TApplication>(nullptr);
        application_->Initialize();
    }
    std::unique_ptr<ui::TApplication> application_;
};

ui::TMenuItem* AddItem(ui::TComponent* owner, ui::TMenuItem* parent, const wchar_t* caption)
{
    auto* item = new ui::TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

TEST_F(MenusTest, CommandsStayBelowTheSystemCommandsAndAreReusedOverThousandsOfMenus)
{
    const UINT lowestFree = [] {
        ui::TMenuItem probe(nullptr);
        return probe.Command();
    }();
    ui::TComponent keeper(nullptr);
    std::vector<ui::TMenuItem*> kept;
    std::set<UINT> seen;
    for (int round = 0; round < 3000; ++round) {
        ui::TPopupMenu menu(nullptr);
        for (int i = 0; i < 8; ++i) {
            ui::TMenuItem* item = AddItem(&menu, menu.Items(), L"item");
            ASSERT_GE(item->Command(), ui::kFirstMenuCommand);
            ASSERT_LT(item->Command(), ui::kMenuCommandLimit);
            ASSERT_EQ(ui::FindMenuItemByCommand(item->Command()), item);
            seen.insert(item->Command());
        }
        // Every hundredth round one item outlives its menu.
        if (round % 100 == 0) kept.push_back(new ui::TMenuItem(&keeper));
        // The skin's temporary items take no command and are never found by one.
        ui::TMenuItem temporary(nullptr, ui::TMenuItemKind::Temporary);
        ASSERT_EQ(temporary.Command(), 0u);
    }
    EXPECT_EQ(ui::FindMenuItemByCommand(0), nullptr);
    // Commands were reused: 24 000 items took only a few dozen numbers.
    EXPECT_LT(seen.size(), 64u);
    for (ui::TMenuItem* item : kept) delete item;
    ui::TMenuItem after(nullptr);
    EXPECT_EQ(after.Command(), lowestFree);
}

TEST_F(MenusTest, ShortCutTextsAndAccelerators)
{
    const struct {
        ui::TShortCut shortCut;
        const wchar_t* text;
    } texts[] = {
        {ui::ShortCut('S', ui::ssCtrl), L"Ctrl+S"},
        {ui::ShortCut(VK_F4, ui::ssAlt), L"Alt+F4"},
        {ui::ShortCut(VK_F12, 0), L"F12"},
        {ui::ShortCut(VK_DELETE, ui::ssShift | ui::ssCtrl), L"Shift+Ctrl+Del"},
        {ui::ShortCut(VK_RETURN, 0), L"Enter"},
        {ui::ShortCut('7', ui::ssCtrl), L"Ctrl+7"},
        {ui::scNone, L""},
    };
    for (const auto& c : texts) EXPECT_EQ(ui::ShortCutToText(c.shortCut), c.text) << c.text;

    const struct {
        wchar_t key;
        const wchar_t* caption;
        bool accel;
    } accels[] = {
        {L'F', L"&File", true}, {L'f', L"&File", true}, {L'I', L"F&ile", true}, {L'F', L"File", false},
        {L'B', L"A&&B", false}, {L'C', L"A&&B &Cut", true}, {L'X', L"trailing&", false}, {L'打', L"&打开", true},
    };
    for (const auto& c : accels) EXPECT_EQ(ui::IsAccel(c.key, c.caption), c.accel) << c.caption;
}

TEST_F(MenusTest, ItemsCarryShortCutDefaultAndImagesIntoTheirMenu)
{
    ui::TPopupMenu menu(nullptr);
    auto* images = new ui::TImageList(&menu, 16, 16);
    ui::TBitmap strip(32, 16);
    strip.Canvas().Brush().SetColor(ui::clRed);
    strip.Canvas().FillRect({0, 0, 32, 16});
    EXPECT_EQ(images->AddMasked(strip, ui::clFuchsia), 0);
    EXPECT_EQ(images->Count(), 2);
    menu.SetImages(images);

    ui::TMenuItem* open = AddItem(&menu, menu.Items(), L"&Open");
    open->SetShortCut(ui::ShortCut('O', ui::ssCtrl));
    open->SetImageIndex(1);
    ui::TMenuItem* save = AddItem(&menu, menu.Items(), L"&Save");
    save->SetDefault(true);
    EXPECT_EQ(open->GetImageList(), images);

    HMENU handle = menu.Handle();
    wchar_t text[64] = {};
    GetMenuStringW(handle, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Open\tCtrl+O");
    EXPECT_EQ(GetMenuDefaultItem(handle, TRUE, 0), 1u);
    // One default per menu.
    open->SetDefault(true);
    EXPECT_FALSE(save->Default());
    EXPECT_EQ(GetMenuDefaultItem(handle, TRUE, 0), 0u);

    delete images;
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_EQ(open->GetImageList(), nullptr);
}

TEST_F(MenusTest, DropDownHandlesLeadBackToTheirItems)
{
    ui::TPopupMenu menu(nullptr);
    ui::TPopupMenu other(nullptr);
    ui::TMenuItem* sizes = AddItem(&menu, menu.Items(), L"文字大小");
    AddItem(&menu, sizes, L"大");
    ui::TMenuItem* leaf = AddItem(&menu, menu.Items(), L"leaf");

    HMENU dropDown = GetSubMenu(menu.Handle(), 0);
    ASSERT_NE(dropDown, nullptr);
    EXPECT_EQ(ui::FindMenuItemByHandle(dropDown), sizes);
    EXPECT_EQ(menu.FindItemByHandle(dropDown), sizes);
    EXPECT_EQ(menu.FindItemByHandle(menu.Handle()), menu.Items());
    EXPECT_EQ(other.FindItemByHandle(dropDown), nullptr);
    EXPECT_EQ(leaf->Handle(), nullptr);
    EXPECT_EQ(ui::FindMenuItemByHandle(nullptr), nullptr);
}

TEST_F(MenusTest, HandlersAreRemovedOnlyByTheirOwnToken)
{
    const int skin = 0, other = 0;
    ui::TMenuItem item(nullptr);
    item.OnDrawItem.Set([](ui::TObject*, ui::TCanvas*, RECT, bool) {}, &skin);
    EXPECT_FALSE(item.OnDrawItem.ClearIf(&other));
    EXPECT_TRUE(item.OnDrawItem);
    EXPECT_TRUE(item.OnDrawItem.ClearIf(&skin));
    EXPECT_FALSE(item.OnDrawItem);

    // The application's own handler stays when the skin takes its handlers away.
    item.OnMeasureItem = [](ui::TObject*, ui::TCanvas*, int& width, int&) { width = 77; };
    EXPECT_FALSE(item.OnMeasureItem.ClearIf(&skin));
    ASSERT_TRUE(item.OnMeasureItem);
    EXPECT_EQ(item.OnMeasureItem.Token(), nullptr);
}

TEST_F(MenusTest, OwnerDrawnPopupWithoutAFormIsMeasuredAndDrawnThroughTheApplicationWindow)
{
    ui::TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    int measured = 0;
    int drawn = 0;
    for (const wchar_t* caption : {L"加载", L"复制", L"删除"}) {
        ui::TMenuItem* item = AddItem(&menu, menu.Items(), caption);
        item->OnMeasureItem = [&](ui::TObject*, ui::TCanvas*, int& width, int& height) {
            ++measured;
            width = 120;
            height = 22;
        };
        item->OnDrawItem = [&](ui::TObject*, ui::TCanvas* canvas, RECT rect, bool) {
            ++drawn;
            canvas->Brush().SetColor(ui::clLime);
            canvas->FillRect(rect);
        };
    }
    COLORREF shown = CLR_INVALID;
    RECT window{};
    PopupAndVisit(menu, [&](HWND popup) {
        GetWindowRect(popup, &window);
        HDC screen = GetDC(nullptr);
        shown = GetPixel(screen, window.left + 60, window.top + 15);
        ReleaseDC(nullptr, screen);
    });
    EXPECT_EQ(measured, 3);
    EXPECT_GE(drawn, 3);
    EXPECT_GE(window.bottom - window.top, 66);
    EXPECT_EQ(shown, RGB(0, 255, 0));
}

}  // namespace
