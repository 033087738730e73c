// What the framework promises the skin engine at its boundaries, on real windows: failures
// never escape a window procedure and a failing paint is reported once; the list of forms;
// the menu-changed notice that a hook can take; the skin's marker message that shares its
// number with reflected notifications.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ComCtrls.h"
#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Subclass.h"

namespace {

constexpr UINT kProbe = WM_APP + 11;

std::vector<std::wstring> g_reports;
void RecordReport(const std::exception& failure) { g_reports.push_back(ui::ExceptionText(failure)); }

class BoundaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_reports.clear();
        ui::SetExceptionHandler(&RecordReport);
        form = std::make_unique<ui::TForm>(nullptr);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override
    {
        form.reset();
        ui::SetExceptionHandler(nullptr);
    }

    std::unique_ptr<ui::TForm> form;
};

class FailingPaint : public ui::TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        throw ui::Exception(L"画不出来");
    }
};

// Two windows fail on every paint, through the framework's window procedure and through a
// subclass: each failure is reported once per window, however often it repaints, while a
// failure of any other message is reported every time, whatever was thrown.
TEST_F(BoundaryTest, APaintingFailureIsReportedOncePerWindowOtherFailuresEveryTime)
{
    struct Route {
        const char* name;
        // Makes a window that fails on WM_PAINT and on kProbe; returns it.
        std::function<HWND(ui::TForm*, std::vector<std::unique_ptr<ui::TWindowSubclass>>&)> make;
    };
    std::vector<FailingPaint*> painters;
    const Route routes[] = {
        {"window procedure", [&painters](ui::TForm* owner, auto&) {
             auto* control = painters.emplace_back(new FailingPaint(owner));
             control->SetParent(owner);
             control->AddWindowHook([](ui::TMessage& message, const ui::TWndMethod& next) {
                 if (message.Msg == kProbe) throw 42;
                 next(message);
             });
             return control->Handle();
         }},
        {"subclass", [](ui::TForm* owner, auto& subclasses) {
             auto* panel = new ui::TCustomControl(owner);
             panel->SetParent(owner);
             auto& subclass = subclasses.emplace_back(std::make_unique<ui::TWindowSubclass>());
             subclass->Attach(panel->Handle(), [s = subclass.get()](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
                 if (msg == WM_PAINT) throw ui::Exception(L"画不出来");
                 if (msg == kProbe) throw 42;
                 return s->CallNext(msg, wParam, lParam);
             });
             return panel->Handle();
         }},
    };
    const std::size_t remembered = ui::RememberedPaintFailures();
    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        g_reports.clear();
        std::vector<std::unique_ptr<ui::TWindowSubclass>> subclasses;
        const HWND windows[] = {route.make(form.get(), subclasses), route.make(form.get(), subclasses)};
        for (int round = 0; round < 3; ++round)
            for (HWND window : windows) SendMessageW(window, WM_PAINT, 0, 0);
        EXPECT_EQ(g_reports, (std::vector<std::wstring>{L"画不出来", L"画不出来"}));

        g_reports.clear();
        for (int round = 0; round < 2; ++round) EXPECT_EQ(SendMessageW(windows[0], kProbe, 0, 0), 0);
        EXPECT_EQ(g_reports, (std::vector<std::wstring>{L"Unknown failure", L"Unknown failure"}));
    }
    // The paint did run every time: only the report was held back.
    ASSERT_EQ(painters.size(), 2u);
    for (const FailingPaint* painter : painters) EXPECT_EQ(painter->paints, 3);
    // Windows that are gone are forgotten.
    EXPECT_EQ(ui::RememberedPaintFailures(), remembered + 4);
    form.reset();
    EXPECT_EQ(ui::RememberedPaintFailures(), remembered);
}

TEST_F(BoundaryTest, TheScreenListsLiveFormsInCreationOrder)
{
    const int before = ui::Screen()->FormCount();
    auto second = std::make_unique<ui::TForm>(nullptr);
    auto third = std::make_unique<ui::TForm>(nullptr);
    auto forms = [&] {
        std::vector<ui::TCustomForm*> list;
        for (int i = before - 1; i < ui::Screen()->FormCount(); ++i) list.push_back(ui::Screen()->Forms(i));
        return list;
    };
    EXPECT_EQ(forms(), (std::vector<ui::TCustomForm*>{form.get(), second.get(), third.get()}));
    second.reset();
    EXPECT_EQ(forms(), (std::vector<ui::TCustomForm*>{form.get(), third.get()}));
    // A form being destroyed has already left the list when its window goes.
    bool listedWhileGoing = true;
    third->AddWindowHook([&](ui::TMessage& message, const ui::TWndMethod& next) {
        if (message.Msg == ui::CM_CONTROLDESTROYING) {
            listedWhileGoing = false;
            for (int i = 0; i < ui::Screen()->FormCount(); ++i)
                if (ui::Screen()->Forms(i) == third.get()) listedWhileGoing = true;
        }
        next(message);
    });
    third.reset();
    EXPECT_FALSE(listedWhileGoing);
    EXPECT_EQ(forms(), std::vector<ui::TCustomForm*>{form.get()});
}

// A changed menu is offered to the window's subclasses and hooks before the form puts the
// system's menu bar back; one that takes it keeps the bar off.
TEST_F(BoundaryTest, AMenuChangeIsOfferedFirstAndCanBeTaken)
{
    auto* menu = new ui::TMainMenu(form.get());
    auto* item = new ui::TMenuItem(form.get());
    item->SetCaption(L"文件");
    menu->Items()->Add(item);
    form->SetMenu(menu);
    const HWND window = form->Handle();
    ASSERT_EQ(GetMenu(window), menu->Handle());

    enum class Taker { nobody, subclass, hook };
    for (Taker taker : {Taker::nobody, Taker::subclass, Taker::hook}) {
        SCOPED_TRACE(static_cast<int>(taker));
        // What a skin's form controller does: the bar is drawn by the skin, not the system.
        SetMenu(window, nullptr);
        int offered = 0;
        auto take = [&](LRESULT& result) {
            ++offered;
            EXPECT_EQ(GetMenu(window), nullptr);  // not yet put back
            if (taker != Taker::nobody) result = 1;
        };
        ui::TWindowSubclass subclass;
        subclass.Attach(window, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            LRESULT result = subclass.CallNext(msg, wParam, lParam);
            if (msg == ui::CM_MENUCHANGED && taker == Taker::subclass) take(result);
            return result;
        });
        const ui::THookToken token = form->AddWindowHook([&](ui::TMessage& message, const ui::TWndMethod& next) {
            next(message);
            if (message.Msg == ui::CM_MENUCHANGED && taker != Taker::subclass) take(message.Result);
        });
        item->SetCaption(L"文件" + std::to_wstring(static_cast<int>(taker)));
        EXPECT_EQ(offered, 1);
        EXPECT_EQ(GetMenu(window), taker == Taker::nobody ? menu->Handle() : nullptr);
        form->RemoveWindowHook(token);
    }
}

// The skin posts its refresh marker with a number that the framework also uses for
// reflected notifications; the controls that read notifications must not take the marker
// for one, and still react to a real notification.
TEST_F(BoundaryTest, TheSkinMarkerIsNoNotificationForTabsAndDatePickers)
{
    constexpr UINT kSkinRefreshed = 0xBC4E;
    constexpr LPARAM kMarker = 0x41A2;
    ASSERT_EQ(kSkinRefreshed, ui::CN_NOTIFY);
    auto* tabs = new ui::TPageControl(form.get());
    tabs->SetParent(form.get());
    auto* picker = new ui::TDateTimePicker(form.get());
    picker->SetParent(form.get());
    struct Case {
        ui::TWinControl* control;
        ui::TNotifyEvent* onChange;
        UINT code;
    };
    for (const Case& c : {Case{tabs, &tabs->OnChange, TCN_SELCHANGE}, Case{picker, &picker->OnChange, DTN_DATETIMECHANGE}}) {
        SCOPED_TRACE(std::string(c.control->ClassName().begin(), c.control->ClassName().end()));
        int changes = 0;
        *c.onChange = [&](ui::TObject*) { ++changes; };
        SendMessageW(c.control->Handle(), kSkinRefreshed, 0, kMarker);
        PostMessageW(c.control->Handle(), kSkinRefreshed, 0, kMarker);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        EXPECT_EQ(changes, 0);
        EXPECT_TRUE(g_reports.empty());

        NMHDR header{c.control->Handle(), 0, c.code};
        SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
        EXPECT_EQ(changes, 1);
    }
}

}  // namespace
