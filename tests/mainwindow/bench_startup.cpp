// Cold start of mjzs.exe to its main window shown, in a fresh folder each time (a new
// document store is created), and the size of the executable.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "support/ProcessDriver.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int main()
{
    const std::wstring exe = testing_support::WindowsPathOf(MJZS_EXE);
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        const fs::path folder = fs::temp_directory_path() / (L"mjzs-bench-" + std::to_wstring(run));
        fs::remove_all(folder);
        fs::create_directories(folder);
        const auto start = std::chrono::steady_clock::now();
        testing_support::ChildProgram program(exe, folder);
        if (!program.WaitForWindow(nullptr, L"墨笺速记本V5.0", 60s)) {
            std::fprintf(stderr, "the main window did not appear\n");
            return 1;
        }
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        program.Kill();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::sort(times.begin(), times.end());
    std::printf("start to main window: median %.0f ms, min %.0f ms, max %.0f ms over %zu runs\n", times[times.size() / 2],
        times.front(), times.back(), times.size());
    std::printf("mjzs.exe size: %llu bytes\n", static_cast<unsigned long long>(fs::file_size(exe)));
    return 0;
}
