// Removable subclasses on real windows: a framework form and a real message box, removal in
// both orders with a second subclass present, detaching from inside a message, the window
// going first, and a failing procedure.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Subclass.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

std::vector<std::wstring> g_reports;
void RecordReport(const std::exception& failure) { g_reports.push_back(ui::ExceptionText(failure)); }

// A subclass that logs the probe message under its name and passes everything on.
struct Logged {
    ui::TWindowSubclass subclass;
    bool Attach(HWND window, const wchar_t* name, std::vector<std::wstring>& log)
    {
        return subclass.Attach(window, [this, name, &log](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == kProbe) log.push_back(name);
            return subclass.CallNext(msg, wParam, lParam);
        });
    }
};

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// Attaches "lower" then "upper", removes them in the given order, and checks after each step
// that the remaining one still sees messages and the window still answers for itself.
void CheckRemovalOrder(HWND window, bool lowerFirst)
{
    const auto original = GetWindowLongPtrW(window, GWLP_WNDPROC);
    const std::wstring caption = WindowText(window);
    std::vector<std::wstring> log;
    Logged lower, upper;
    ASSERT_TRUE(lower.Attach(window, L"lower", log));
    ASSERT_TRUE(upper.Attach(window, L"upper", log));
    EXPECT_FALSE(upper.Attach(window, L"again", log));

    SendMessageW(window, kProbe, 0, 0);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"upper", L"lower"}));

    Logged& first = lowerFirst ? lower : upper;
    Logged& second = lowerFirst ? upper : lower;
    const std::wstring remaining = lowerFirst ? L"upper" : L"lower";
    first.subclass.Detach();
    EXPECT_FALSE(first.subclass.Attached());
    log.clear();
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_EQ(log, std::vector<std::wstring>{remaining});
    EXPECT_EQ(WindowText(window), caption);

    second.subclass.Detach();
    log.clear();
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(WindowText(window), caption);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
}

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_reports.clear();
        ui::SetExceptionHandler(&RecordReport);
        form = std::make_unique<ui::TForm>(nullptr);
        form->SetCaption(L"子类");
        window = form->Handle();
    }
    void TearDown() override { ui::SetExceptionHandler(nullptr); }

    std::unique_ptr<ui::TForm> form;
    HWND window = nullptr;
};

TEST_F(SubclassTest, RemovalInEitherOrderLeavesTheOtherWorkingOnAFrameworkWindow)
{
    for (bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst ? "lower first" : "upper first");
        CheckRemovalOrder(window, lowerFirst);
    }
    EXPECT_EQ(ui::FindControl(window), form.get());
}

HWND g_box;
bool g_boxChecked;

BOOL CALLBACK FindShownBox(HWND window, LPARAM)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    g_box = window;
    return FALSE;
}

// Runs inside the box's modal loop: checks the box while it is shown, then closes it.
void CALLBACK CheckShownBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_boxChecked) return;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownBox, 0);
    if (!g_box) return;
    g_boxChecked = true;
    for (bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst ? "lower first" : "upper first");
        CheckRemovalOrder(g_box, lowerFirst);
    }
    // The box still works: its OK button closes it.
    PostMessageW(g_box, WM_COMMAND, IDOK, 0);
}

TEST_F(SubclassTest, RemovalInEitherOrderLeavesTheOtherWorkingOnAMessageBox)
{
    g_box = nullptr;
    g_boxChecked = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CheckShownBox);
    const int answer = MessageBoxW(nullptr, L"子类测试", L"标题", MB_OK);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_boxChecked);
    EXPECT_EQ(answer, IDOK);
    EXPECT_FALSE(IsWindow(g_box));
}

TEST_F(SubclassTest, DetachingOrDeletingFromInsideItsOwnMessageIsSafe)
{
    std::vector<std::wstring> log;
    Logged lower;
    ASSERT_TRUE(lower.Attach(window, L"lower", log));
    for (bool deleteIt : {false, true}) {
        SCOPED_TRACE(deleteIt ? "deleted" : "detached");
        auto upper = std::make_unique<ui::TWindowSubclass>();
        int calls = 0;
        ASSERT_TRUE(upper->Attach(window, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg != kProbe) return upper->CallNext(msg, wParam, lParam);
            ++calls;
            upper->Detach();
            // Still inside the message: the rest of the chain is reachable.
            const LRESULT result = upper->CallNext(msg, wParam, lParam);
            if (deleteIt) upper.reset();
            return result;
        }));
        log.clear();
        SendMessageW(window, kProbe, 0, 0);
        SendMessageW(window, kProbe, 0, 0);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(log, (std::vector<std::wstring>{L"lower", L"lower"}));
    }
}

// A subclass that detaches the one below it during a message sent while its own message is
// still being handled: the outer message still gets through to the window.
TEST_F(SubclassTest, DetachingTheOneBelowDuringANestedMessageKeepsTheOuterMessageGoing)
{
    std::vector<std::wstring> log;
    Logged lower;
    ASSERT_TRUE(lower.Attach(window, L"lower", log));
    ui::TWindowSubclass upper;
    ASSERT_TRUE(upper.Attach(window, [&](HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_SETTEXT) SendMessageW(w, kProbe + 1, 0, 0);
        if (msg == kProbe + 1) lower.subclass.Detach();
        return upper.CallNext(msg, wParam, lParam);
    }));
    EXPECT_TRUE(SetWindowTextW(window, L"新标题"));
    EXPECT_FALSE(lower.subclass.Attached());
    EXPECT_EQ(WindowText(window), L"新标题");
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(SubclassTest, WindowGoneFirstDetachesAfterTheDestroyPassedDown)
{
    std::vector<std::wstring> log;
    ui::TWindowSubclass below, above;
    ASSERT_TRUE(below.Attach(window, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCDESTROY) log.push_back(L"below saw NCDESTROY");
        return below.CallNext(msg, wParam, lParam);
    }));
    // Swallows WM_NCDESTROY: it reaches the window's own procedure anyway.
    ASSERT_TRUE(above.Attach(window, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_NCDESTROY) return 0;
        return above.CallNext(msg, wParam, lParam);
    }));
    below.OnWindowGone = [&] {
        log.push_back(L"below gone");
        EXPECT_FALSE(below.Attached());
        EXPECT_EQ(below.Window(), nullptr);
    };
    above.OnWindowGone = [&] { log.push_back(L"above gone"); };
    form.reset();
    EXPECT_EQ(log, (std::vector<std::wstring>{L"below saw NCDESTROY", L"below gone", L"above gone"}));
    EXPECT_FALSE(IsWindow(window));
    above.Detach();
    below.Detach();
    EXPECT_FALSE(below.Attach(window, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; }));
}

TEST_F(SubclassTest, AFailingProcIsReportedAndTheMessageGetsTheDefaultAnswer)
{
    struct Case {
        const char* name;
        bool passFirst;
    };
    for (const Case& c : {Case{"throws before passing on", false}, Case{"throws after passing on", true}}) {
        SCOPED_TRACE(c.name);
        g_reports.clear();
        int below = 0;
        ui::TWindowSubclass counter, failing;
        ASSERT_TRUE(counter.Attach(window, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_GETTEXT) ++below;
            return counter.CallNext(msg, wParam, lParam);
        }));
        ASSERT_TRUE(failing.Attach(window, [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg != WM_GETTEXT) return failing.CallNext(msg, wParam, lParam);
            if (c.passFirst) failing.CallNext(msg, wParam, lParam);
            throw ui::Exception(L"绘制失败");
        }));
        EXPECT_EQ(WindowText(window), L"子类");
        EXPECT_EQ(below, 1);
        EXPECT_EQ(g_reports, std::vector<std::wstring>{L"绘制失败"});
    }
}

TEST_F(SubclassTest, AttachRefusesWhatItCannotServe)
{
    ui::TWindowSubclass subclass;
    auto passOn = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) { return subclass.CallNext(msg, wParam, lParam); };
    EXPECT_FALSE(subclass.Attach(nullptr, passOn));
    EXPECT_FALSE(subclass.Attach(window, nullptr));
    // Windows of another thread cannot be subclassed from here.
    EXPECT_FALSE(subclass.Attach(GetDesktopWindow(), passOn));
    EXPECT_FALSE(subclass.Attached());
    EXPECT_TRUE(subclass.Attach(window, passOn));
    EXPECT_EQ(subclass.Window(), window);
}

}  // namespace
