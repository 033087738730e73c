// The real program killed at random moments while typing into a new document: every start
// after a kill offers the draft, and the restored text holds everything typed up to one
// second before the kill (and nothing that was never typed).
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "app/Unit1.h"
#include "app/core/Draft.h"
#include "support/ProcessDriver.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 50;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"(hung)";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

struct MainWindow {
    HWND window = nullptr;
    HWND memo = nullptr;
    HWND title = nullptr;  // the widest edit
};

MainWindow Controls(HWND main)
{
    struct Search {
        MainWindow found;
        LONG widest = 0;
    } search{{main}};
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            const std::wstring kind = ClassOf(child);
            RECT rect{};
            GetWindowRect(child, &rect);
            if (kind == L"TMemo") search.found.memo = child;
            if (kind == L"TEdit" && rect.right - rect.left > search.widest) {
                search.widest = rect.right - rect.left;
                search.found.title = child;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Typist {
public:
    explicit Typist(std::uint32_t seed) : random_(seed) {}

    // Types into the memo until the moment comes, one character every few milliseconds, and
    // notes when each one had been handled.
    void TypeUntil(HWND memo, Clock::time_point until)
    {
        static constexpr wchar_t kChars[] = L"录音整理的文字，不能丢。Typing 123 ";
        while (Clock::now() < until) {
            const wchar_t c = kChars[typed_.size() % (std::size(kChars) - 1)];
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutW(memo, WM_CHAR, c, 1, SMTO_ABORTIFHUNG, 2000, &ignored)) break;
            typed_ += c;
            handled_.push_back(Clock::now());
            std::this_thread::sleep_for(std::chrono::milliseconds(5 + random_() % 20));
        }
    }
    // How much of the typing was handled before this moment.
    size_t HandledBefore(Clock::time_point moment) const
    {
        size_t n = 0;
        while (n < handled_.size() && handled_[n] < moment) ++n;
        return n;
    }
    const std::wstring& Typed() const { return typed_; }
    // What was restored is all there is: the typing since then went into it.
    void Restored(const std::wstring& text)
    {
        typed_ = text;
        handled_.assign(text.size(), Clock::time_point::min());
    }
    std::chrono::milliseconds KillDelay() { return std::chrono::milliseconds(200 + random_() % 2300); }

private:
    std::mt19937 random_;
    std::wstring typed_;
    std::vector<Clock::time_point> handled_;
};

TEST(KilledWhileTyping, EveryRunRestoresAllTextTypedUpToASecondBeforeTheKill)
{
    const std::uint32_t seed = std::random_device{}();
    RecordProperty("seed", static_cast<int>(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    Typist typist(seed);
    const testing_support::ScratchFolder folder(L"mj_app_kill");
    const std::wstring exe = testing_support::WindowsPathOf(MJZS_EXE);

    size_t must_have = 0;
    for (int run = 0; run <= kRuns + 1; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        testing_support::ChildProgram program(exe, folder.Path());
        const HWND main = program.WaitForWindow(L"TMainForm1", nullptr, 60s);
        ASSERT_NE(main, nullptr);
        const MainWindow controls = Controls(main);
        ASSERT_TRUE(controls.memo && controls.title);

        if (run == 0) {
            // The first start finds nothing to offer; the new document gets its title.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(controls.title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"断电测试"), SMTO_ABORTIFHUNG,
                                5000, &ignored);
            // Menus live in their own process, so the memo (closed until a first save) is
            // opened as the restore of a new document opens it: the title's draft, offered at
            // the next start.
            std::this_thread::sleep_for(std::chrono::milliseconds(app::kDraftInterval * 3));
            TerminateProcess(program.Process(), 9);
            ASSERT_EQ(WaitForSingleObject(program.Process(), 10000), WAIT_OBJECT_0);
            continue;
        } else {
            const HWND offer = program.WaitForWindow(L"#32770", app::kApplicationTitle, 20s);
            ASSERT_NE(offer, nullptr);
            ASSERT_NE(testing_support::MessageBoxText(offer).find(L"是否恢复"), std::wstring::npos);
            PostMessageW(offer, WM_COMMAND, IDYES, 0);
            std::wstring restored;
            for (int i = 0; i < 500 && (IsWindow(offer) || restored.size() < must_have); ++i) {
                std::this_thread::sleep_for(10ms);
                restored = TextOf(controls.memo);
            }
            const std::wstring& typed = typist.Typed();
            ASSERT_GE(restored.size(), must_have) << "lost: " << typed.size() - restored.size() << " characters";
            ASSERT_EQ(restored, typed.substr(0, restored.size()));
            typist.Restored(restored);
            if (run == kRuns + 1) break;
        }

        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(controls.memo, EM_SETSEL, typist.Typed().size(), typist.Typed().size(), SMTO_ABORTIFHUNG,
                            5000, &ignored);
        const Clock::time_point kill_at = Clock::now() + typist.KillDelay();
        typist.TypeUntil(controls.memo, kill_at);
        must_have = typist.HandledBefore(Clock::now() - 1s);
        TerminateProcess(program.Process(), 9);
        ASSERT_EQ(WaitForSingleObject(program.Process(), 10000), WAIT_OBJECT_0);
    }
}

}  // namespace
