// The real program as a user starts it: a fresh folder gets a new document store and the main
// window; closing asks first (Cancel keeps the window, OK ends the program); a store that is
// not a database, or cannot be written, ends start-up with the database's own message and is
// left exactly as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/ProcessDriver.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ChildProgram;

namespace {

constexpr wchar_t kMainCaption[] = L"墨笺速记本V5.0";

std::wstring ProgramPath() { return testing_support::WindowsPathOf(MJZS_EXE); }
constexpr wchar_t kTitle[] = L"墨笺速记本";

std::vector<char> ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StartupProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch.emplace(L"mjzs-startup");
        folder = scratch->Path();
    }
    void TearDown() override { scratch.reset(); }

    // Starts the program on a bad store: the error box names the database's failure, OK ends
    // the program, the store is byte for byte what it was.
    void ExpectStartRefused(const fs::path& store)
    {
        const std::vector<char> before = ReadAll(store);
        ChildProgram program(ProgramPath(), folder);
        HWND box = program.WaitForWindow(L"#32770", kTitle, 20s);
        ASSERT_NE(box, nullptr) << "no error box";
        const std::wstring text = testing_support::MessageBoxText(box);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), L'.');
        EXPECT_EQ(program.WaitForWindow(nullptr, kMainCaption, 0ms), nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_NE(program.WaitForExit(20s), 0u);
        EXPECT_EQ(ReadAll(store), before);
    }

    std::optional<testing_support::ScratchFolder> scratch;
    fs::path folder;
};

TEST_F(StartupProcessTest, CloseAsksFirstCancelKeepsTheWindowOkEnds)
{
    ChildProgram program(ProgramPath(), folder);
    HWND main = program.WaitForWindow(nullptr, kMainCaption, 30s);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(fs::exists(folder / L"txt.kl"));
    EXPECT_TRUE(IsZoomed(main));
    RECT work{}, outer{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(main, &outer);
    EXPECT_GE(outer.right - outer.left, work.right - work.left) << "the window opens maximised";
    EXPECT_GE(outer.bottom - outer.top, work.bottom - work.top);

    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND box = program.WaitForWindow(L"#32770", L"警告", 20s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing_support::MessageBoxText(box), L"程序即将关闭，请确认你已经保存了文档！");
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(program.WaitForExit(1500ms), STILL_ACTIVE);
    EXPECT_TRUE(IsWindowVisible(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    box = program.WaitForWindow(L"#32770", L"警告", 20s);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(20s), 0u);
}

TEST_F(StartupProcessTest, AStoreThatIsNotADatabaseIsRefusedAndLeftAlone)
{
    const fs::path store = folder / L"txt.kl";
    {
        std::ofstream out(store, std::ios::binary);
        for (int i = 0; i < 4096; ++i) out.put(static_cast<char>((i * 37 + 11) & 0xFF));
    }
    ExpectStartRefused(store);
}

TEST_F(StartupProcessTest, AStoreThatCannotBeWrittenIsRefusedAndLeftAlone)
{
    // A real store from a first start and a proper end, then made read-only.
    {
        ChildProgram first(ProgramPath(), folder);
        HWND main = first.WaitForWindow(nullptr, kMainCaption, 30s);
        ASSERT_NE(main, nullptr);
        PostMessageW(main, WM_CLOSE, 0, 0);
        HWND box = first.WaitForWindow(L"#32770", L"警告", 20s);
        ASSERT_NE(box, nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(first.WaitForExit(20s), 0u);
    }
    const fs::path store = folder / L"txt.kl";
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path() != store) fs::remove(entry.path());
    ASSERT_TRUE(SetFileAttributesW(store.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectStartRefused(store);
}

}  // namespace
