// Runs the real mjzs.exe as a child process in a working directory of the test's and finds
// its windows: the main window by caption, message boxes by class "#32770".
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace testing_support {

// The program built beside the tests (MJZS_EXE is set by the test's CMake). The build runs
// on the Unix side, so its path is reached through the drive that maps the root.
inline std::wstring ProgramPath()
{
    std::wstring path = std::filesystem::path(MJZS_EXE).wstring();
    if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

class ChildProgram {
public:
    ChildProgram(const std::wstring& exe, const std::filesystem::path& workingDirectory);
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    // A visible top-level window of the child with this class (nullptr: any) and caption.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, std::chrono::milliseconds timeout) const;
    // Waits for the child to end; its exit code, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(std::chrono::milliseconds timeout) const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// The text of a message box's static control.
std::wstring MessageBoxText(HWND box);

}  // namespace testing_support
