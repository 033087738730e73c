// What tests of the real program share: its path, a folder of the test's own, and the
// program run as a child process whose windows are found by class and caption (message
// boxes by class "#32770").
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace testing_support {

// A path of the build, which runs on the Unix side, as the Windows side reaches it: through
// the drive that maps the root.
inline std::wstring WindowsPathOf(const std::filesystem::path& buildPath)
{
    std::wstring path = buildPath.wstring();
    if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// A fresh folder of its own under the temporary folder for one test, the working directory
// while it lives when asked (the program opens "txt.kl" in its working directory), removed
// with everything in it afterwards, read-only files included.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& prefix, bool enter = false);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

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
