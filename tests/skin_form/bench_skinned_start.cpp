// Start of mjzs.exe to its main window shown and skinned, against a minimal window program
// started by the same harness to its window shown, as a ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "skin/form/SkinMessages.h"
#include "support/ProcessDriver.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct Search {
    DWORD process;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    if (owner != search.process || !IsWindowVisible(window) || std::wstring(text) != search.caption) return TRUE;
    search.found = window;
    return FALSE;
}

// A visible top-level window of the process with the caption.
HWND ShownWindow(DWORD process, const wchar_t* caption)
{
    Search search{process, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Median milliseconds from start until ready(process) holds.
double MedianStart(const std::wstring& exe, const std::function<bool(DWORD)>& ready)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const fs::path folder = fs::temp_directory_path() / (L"mjzs-bench-start-" + std::to_wstring(run));
        fs::remove_all(folder);
        fs::create_directories(folder);
        const auto start = std::chrono::steady_clock::now();
        testing_support::ChildProgram program(exe, folder);
        while (!ready(program.ProcessId())) {
            if (std::chrono::steady_clock::now() - start > 60s) {
                std::fprintf(stderr, "no window from %ls\n", exe.c_str());
                std::exit(1);
            }
            Sleep(2);
        }
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        program.Kill();
        program.WaitForExit(10s);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    const double minimal = MedianStart(testing_support::WindowsPathOf(MINIMAL_EXE),
                                       [](DWORD process) { return ShownWindow(process, L"minimal") != nullptr; });
    const double shown = MedianStart(testing_support::WindowsPathOf(MJZS_EXE),
                                     [](DWORD process) { return ShownWindow(process, L"墨笺速记本V5.0") != nullptr; });
    const double skinned = MedianStart(testing_support::WindowsPathOf(MJZS_EXE), [](DWORD process) {
        const HWND window = ShownWindow(process, L"墨笺速记本V5.0");
        DWORD_PTR answer = 0;
        return window && SendMessageTimeoutW(window, skin::SKM_PROBE, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) && answer == 1;
    });
    std::printf("start to shown: mjzs.exe skinned %.0f ms, minimal window program %.0f ms, ratio %.2f (aim at most 1.5)\n",
                skinned, minimal, skinned / minimal);
    std::printf("(mjzs.exe to its window shown, skinned or not: %.0f ms)\n", shown);
    return 0;
}
