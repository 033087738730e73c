// The real program as a child process, driven through its windows and then killed.
#include <gtest/gtest.h>

#include <thread>

#include "Workspace.h"
#include "support/ProcessDriver.h"

namespace testing_app {
namespace {

using namespace std::chrono_literals;

struct Window {
    HWND handle;
    std::wstring class_name;
    std::wstring text;
    RECT rect;
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

std::vector<Window> ChildWindows(HWND parent)
{
    std::vector<Window> found;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            RECT rect{};
            GetWindowRect(window, &rect);
            reinterpret_cast<std::vector<Window>*>(data)->push_back({window, ClassOf(window), TextOf(window), rect});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Find(const std::vector<Window>& windows, const std::wstring& class_name, const std::wstring& text)
{
    for (const Window& w : windows)
        if (w.class_name == class_name && w.text == text) return w.handle;
    return nullptr;
}

TEST(RealProgram, KilledRightAfterAnAutoSaveKeepsTheSavedText)
{
    const testing_support::ScratchFolder folder(L"mj_app_process");
    testing_support::ChildProgram program(testing_support::WindowsPathOf(MJZS_EXE), folder.Path());
    HWND main = program.WaitForWindow(L"TMainForm1", nullptr, 30s);
    ASSERT_NE(main, nullptr);
    const auto controls = ChildWindows(main);

    // The title box is the widest edit of the window.
    HWND title = nullptr;
    LONG widest = 0;
    for (const Window& w : controls) {
        if (w.class_name == L"TEdit" && w.rect.right - w.rect.left > widest) {
            widest = w.rect.right - w.rect.left;
            title = w.handle;
        }
    }
    HWND save = Find(controls, L"TBitBtn", L"保存文档");
    HWND auto_save = Find(controls, L"TCheckBox", L"开启");
    HWND memo = nullptr;
    for (const Window& w : controls)
        if (w.class_name == L"TMemo") memo = w.handle;
    ASSERT_TRUE(title && save && auto_save && memo);

    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"断电测试"), SMTO_ABORTIFHUNG, 5000, &ignored);
    PostMessageW(save, BM_CLICK, 0, 0);

    // The real success box: found by its class and caption, read and closed.
    HWND box = program.WaitForWindow(L"#32770", app::kApplicationTitle, 10s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing_support::MessageBoxText(box),
              L"文件保存成功！在编辑过程中可选开启自动保存，在退出软件前要点击下保存更新，防止内容丢失！");
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    PostMessageW(auto_save, BM_CLICK, 0, 0);
    const std::wstring text = L"断电前最后一次按键保存的内容：录音第 3 分钟。";
    const auto end = std::chrono::steady_clock::now() + 10s;
    std::vector<StoredRow> rows;
    while (std::chrono::steady_clock::now() < end) {
        SendMessageTimeoutW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                            &ignored);
        PostMessageW(memo, WM_KEYUP, 'A', 1 | (3LL << 30));
        std::this_thread::sleep_for(100ms);
        rows = ReadRows(folder.Path() / L"txt.kl");
        if (!rows.empty() && rows.back().content == text) break;
    }
    ASSERT_FALSE(rows.empty());
    ASSERT_EQ(rows.back().content, text);

    TerminateProcess(program.Process(), 1);
    ASSERT_EQ(WaitForSingleObject(program.Process(), 10000), WAIT_OBJECT_0);

    rows = ReadRows(folder.Path() / L"txt.kl");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, L"1");
    EXPECT_EQ(rows[0].title, L"断电测试");
    EXPECT_EQ(rows[0].content, text);
}

TEST(RealProgram, ASecondStartOnTheSameStoreShowsTheFirstWindowAndEnds)
{
    const testing_support::ScratchFolder folder(L"mj_app_second");
    testing_support::ChildProgram first(testing_support::WindowsPathOf(MJZS_EXE), folder.Path());
    HWND main = first.WaitForWindow(L"TMainForm1", nullptr, 30s);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main));

    testing_support::ChildProgram second(testing_support::WindowsPathOf(MJZS_EXE), folder.Path());
    EXPECT_EQ(second.WaitForExit(30s), 0u);
    for (int i = 0; i < 100 && IsIconic(main); ++i) std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(first.WaitForExit(0ms), STILL_ACTIVE);

    // Another store is another program's: it starts beside the first one.
    const testing_support::ScratchFolder other(L"mj_app_other");
    testing_support::ChildProgram third(testing_support::WindowsPathOf(MJZS_EXE), other.Path());
    EXPECT_NE(third.WaitForWindow(L"TMainForm1", nullptr, 30s), nullptr);
}

}  // namespace
}  // namespace testing_app
