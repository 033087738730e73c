// The real program as a child process, driven through its windows and then killed.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "Workspace.h"

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

// The visible top-level windows of a process.
std::vector<Window> TopLevelWindows(DWORD process)
{
    struct Search {
        DWORD process;
        std::vector<Window> found;
    } search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.process && IsWindowVisible(window)) {
                RECT rect{};
                GetWindowRect(window, &rect);
                s.found.push_back({window, ClassOf(window), TextOf(window), rect});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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

HWND WaitForWindow(DWORD process, const std::wstring& class_name, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        for (const Window& w : TopLevelWindows(process))
            if (w.class_name == class_name) return w.handle;
        std::this_thread::sleep_for(50ms);
    }
    return nullptr;
}

HWND Find(const std::vector<Window>& windows, const std::wstring& class_name, const std::wstring& text)
{
    for (const Window& w : windows)
        if (w.class_name == class_name && w.text == text) return w.handle;
    return nullptr;
}

// The Windows spelling of the program's path given by the build.
std::wstring ProgramPath()
{
    std::wstring path = L"Z:" + fs::path(MJ_PROGRAM_PATH).wstring();
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

class RealProgram : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("mj_app_process_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    void Start()
    {
        std::wstring command = L"\"" + ProgramPath() + L"\"";
        STARTUPINFOW startup{sizeof(startup)};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                                   &startup, &process_))
            << "cannot start " << testing::PrintToString(ProgramPath());
    }

    fs::path folder_;
    PROCESS_INFORMATION process_{};
};

TEST_F(RealProgram, KilledRightAfterAnAutoSaveKeepsTheSavedText)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND main = WaitForWindow(process_.dwProcessId, L"TMainForm1", 30s);
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
    HWND box = WaitForWindow(process_.dwProcessId, L"#32770", 10s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), app::kApplicationTitle);
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)),
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
        rows = ReadRows(folder_ / L"txt.kl");
        if (!rows.empty() && rows.back().content == text) break;
    }
    ASSERT_FALSE(rows.empty());
    ASSERT_EQ(rows.back().content, text);

    TerminateProcess(process_.hProcess, 1);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);

    rows = ReadRows(folder_ / L"txt.kl");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, L"1");
    EXPECT_EQ(rows[0].title, L"断电测试");
    EXPECT_EQ(rows[0].content, text);
}

}  // namespace
}  // namespace testing_app
