// The scroll-bar overlays of the real main window, skinned by the real skin manager: the
// memo's bar and the archive grid's bars (over a store of many documents) stay exactly over
// the native bars, showing the skin's picture of them, through typing (also composed Chinese
// text), the wheel, the keyboard, resizing and maximising; they hide with the page; dragging
// the memo's overlay thumb scrolls the memo; what is typed arrives unchanged.
#include <gtest/gtest.h>

#include <windows.h>

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "skin_controls/OverlayPictures.h"
#include "skin_form/SkinWindows.h"
#include "support/MouseInput.h"
#include "support/ProcessDriver.h"
#include "support/ProgramEnvironment.h"
#include "ui/Dialogs.h"

namespace {

using namespace std::chrono_literals;
using skintest::PumpUntil;

constexpr int kDocuments = 300;

[[maybe_unused]] const auto* const g_environment =
    testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(app::kApplicationTitle));

// A store of many documents in the working folder, made before the window opens it.
void WriteStore()
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open("txt.kl", &db), SQLITE_OK);
    std::string sql = "create table jilu(序号 integer primary key, 日期 text, 标题 text, 内容 text, 语音文件 text);begin;";
    for (int id = 1; id <= kDocuments; ++id)
        sql += "insert into jilu values(" + std::to_string(id) + ",'2026-01-" + std::to_string(id % 28 + 10) +
               "','会议记录第" + std::to_string(id) + "篇','内容','')" + ";";
    sql += "commit;";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

bool Skinned(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

struct Step {
    const char* name;
    std::function<void()> act;
};

class MainWindowBars : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch_ = new testing_support::ScratchFolder(L"mjzs-bars", true);
        WriteStore();
        form_ = ui::Application()->CreateForm<app::TMainForm1>();
        form_->SetWindowState(ui::TWindowState::wsNormal);
        form_->SetBounds(40, 30, 760, 520);
        form_->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(form_->Memo1->Handle()) && Controller(); }));
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
        ShowWindow(form_->Handle(), SW_RESTORE);
        form_->SetBounds(40, 30, 760, 520);
        SetForegroundWindow(form_->Handle());
        skintest::Pump(50ms);
    }

    static skin::TWinSkinForm* Controller() { return skin::SkinManage() ? skin::SkinManage()->FindForm(form_->Handle()) : nullptr; }
    static skin::TScrollbarOverlays& BarsOf(ui::TWinControl* control)
    {
        for (skin::TSkinControl* painter : Controller()->Painters())
            if (painter->Window() == control->Handle())
                if (auto* bars = dynamic_cast<skin::TSkinScrollbar*>(painter)) return *bars->Overlays();
        throw std::runtime_error("the control has no scroll-bar painter");
    }
    // After each step: every overlay over its native bar, showing the skin's picture of it.
    static void Walk(ui::TWinControl* control, const std::vector<Step>& steps)
    {
        skin::TScrollbarOverlays& bars = BarsOf(control);
        for (const Step& step : steps) {
            step.act();
            skintest::Pump(60ms);
            for (skin::TWScrollbar* overlay : {&bars.Vertical(), &bars.Horizontal()}) {
                SendMessageW(overlay->Handle(), WM_MOUSELEAVE, 0, 0);
                EXPECT_TRUE(skintest::MatchesBar(*overlay)) << step.name << (overlay->Vertical() ? " vertical" : " horizontal");
                if (overlay->Shown()) {
                    EXPECT_EQ(skintest::OverlayDiffering(*overlay, form_->SkinData1->Elements(), skin::bpNone), 0) << step.name;
                }
            }
        }
    }

    static inline testing_support::ScratchFolder* scratch_ = nullptr;
    static inline app::TMainForm1* form_ = nullptr;
};

TEST_F(MainWindowBars, MemoOverlayFollowsTypingScrollingResizingAndMaximising)
{
    ui::TMemo* memo = form_->Memo1;
    const HWND m = memo->Handle();
    memo->SetEnabled(true);
    memo->SetText(L"");
    memo->SetFocus();
    skin::TScrollbarOverlays& bars = BarsOf(memo);
    std::wstring typed;
    // Composed text arrives as the input method hands it over: the composition's messages,
    // then each character of the result as WM_IME_CHAR, which the memo turns into the
    // characters it types (posted, so they are taken from the queue before the line ends).
    const auto compose = [&](const std::wstring& text) {
        SendMessageW(m, WM_IME_STARTCOMPOSITION, 0, 0);
        for (wchar_t c : text) SendMessageW(m, WM_IME_CHAR, c, 1);
        SendMessageW(m, WM_IME_ENDCOMPOSITION, 0, 0);
        skintest::Pump(0ms);
        SendMessageW(m, WM_CHAR, L'\r', 1);
        typed += text + L"\r\n";
    };
    const auto lines = [&] { return static_cast<int>(SendMessageW(m, EM_GETLINECOUNT, 0, 0)); };
    Walk(memo, {
        {"empty", [] {}},
        {"composed lines", [&] { for (int k = 0; k < 30; ++k) compose(L"墨笺速记第" + std::to_wstring(k) + L"行"); }},
        {"wheel", [&] { SendMessageW(m, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 3), 0); }},
        {"keyboard", [&] { SendMessageW(m, WM_KEYDOWN, VK_PRIOR, 1); SendMessageW(m, WM_KEYDOWN, VK_PRIOR, 1); }},
        {"resize", [] { form_->SetBounds(60, 40, 900, 640); }},
        {"maximise", [] { ShowWindow(form_->Handle(), SW_MAXIMIZE); }},
        {"restore", [] { ShowWindow(form_->Handle(), SW_RESTORE); }},
    });
    EXPECT_EQ(memo->Text(), typed);
    EXPECT_GE(lines(), 30);
    ASSERT_TRUE(bars.Vertical().Shown());

    // Dragging the overlay's thumb down scrolls the memo, as a drag on the native thumb does.
    SendMessageW(m, WM_KEYDOWN, VK_HOME, 1);
    SendMessageW(m, EM_SCROLL, SB_PAGEUP, 0);
    for (int k = 0; k < 20; ++k) SendMessageW(m, EM_SCROLL, SB_PAGEUP, 0);
    skintest::Pump(60ms);
    ASSERT_EQ(SendMessageW(m, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SCROLLBARINFO info{};
    ASSERT_TRUE(skin::SkinGetScrollBarInfo(m, OBJID_VSCROLL, info));
    RECT overlay{};
    GetWindowRect(bars.Vertical().Handle(), &overlay);
    const POINT grab{(overlay.left + overlay.right) / 2, overlay.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
    SetCursorPos(grab.x, grab.y);
    skintest::Pump(30ms);
    testing_support::DragMouse(grab, {{grab.x, grab.y + 80}, {grab.x, grab.y + 160}});
    skintest::Pump(100ms);
    EXPECT_GT(SendMessageW(m, EM_GETFIRSTVISIBLELINE, 0, 0), 5);
    EXPECT_TRUE(skintest::MatchesBar(bars.Vertical()));
    EXPECT_EQ(memo->Text(), typed);

    // The bar hides with the page the memo is on, and comes back with it.
    form_->PageControl1->SetActivePage(form_->TabSheet2);
    skintest::Pump(60ms);
    EXPECT_FALSE(IsWindowVisible(bars.Vertical().Handle()));
    form_->PageControl1->SetActivePage(form_->TabSheet1);
    skintest::Pump(60ms);
    EXPECT_TRUE(skintest::MatchesBar(bars.Vertical()));
    EXPECT_TRUE(bars.Vertical().Shown());
}

TEST_F(MainWindowBars, ArchiveGridOverlaysFollowManyRows)
{
    form_->PageControl1->SetActivePage(form_->TabSheet2);
    skintest::Pump(60ms);
    ui::TDBGrid* grid = form_->DBGrid1;
    const HWND g = grid->Handle();
    ASSERT_TRUE(Skinned(g));
    skin::TScrollbarOverlays& bars = BarsOf(grid);
    grid->SetFocus();
    Walk(grid, {
        {"listed", [] {}},
        {"page down", [&] { for (int k = 0; k < 5; ++k) SendMessageW(g, WM_KEYDOWN, VK_NEXT, 1); }},
        {"end", [&] { SendMessageW(g, WM_KEYDOWN, VK_END, 1); }},
        {"wheel", [&] { SendMessageW(g, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 4), 0); }},
        {"resize", [] { form_->SetBounds(60, 40, 900, 640); }},
        {"maximise", [] { ShowWindow(form_->Handle(), SW_MAXIMIZE); }},
        {"restore", [] { ShowWindow(form_->Handle(), SW_RESTORE); }},
    });
    // Three hundred rows need the vertical bar all along.
    EXPECT_TRUE(bars.Vertical().Shown());
    form_->PageControl1->SetActivePage(form_->TabSheet1);
    skintest::Pump(60ms);
    EXPECT_FALSE(IsWindowVisible(bars.Vertical().Handle()));
}

}  // namespace
