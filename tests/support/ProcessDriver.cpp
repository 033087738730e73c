#include "support/ProcessDriver.h"

#include <stdexcept>
#include <thread>

namespace testing_support {

ScratchFolder::ScratchFolder(const std::wstring& prefix, bool enter)
    : path_(std::filesystem::temp_directory_path() /
            (prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64())))
{
    std::filesystem::create_directories(path_);
    if (!enter) return;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ignored);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
}

ChildProgram::ChildProgram(const std::wstring& exe, const std::filesystem::path& workingDirectory)
{
    // Started as the shell starts a program from a shortcut: with a show command of its own.
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
            workingDirectory.wstring().c_str(), &startup, &info_))
        throw std::runtime_error("cannot start the program");
}

ChildProgram::~ChildProgram()
{
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

void ChildProgram::Kill()
{
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 9);
        WaitForSingleObject(info_.hProcess, 10000);
    }
}

namespace {

struct Search {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
    wchar_t buffer[256] = {};
    if (search->className) {
        GetClassNameW(window, buffer, 256);
        if (std::wstring(buffer) != search->className) return TRUE;
    }
    if (search->caption) {
        GetWindowTextW(window, buffer, 256);
        if (std::wstring(buffer) != search->caption) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND ChildProgram::WaitForWindow(const wchar_t* className, const wchar_t* caption, std::chrono::milliseconds timeout) const
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        Search search{info_.dwProcessId, className, caption, nullptr};
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

DWORD ChildProgram::WaitForExit(std::chrono::milliseconds timeout) const
{
    WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::wstring MessageBoxText(HWND box)
{
    // The box's text is its static control with id 0xFFFF.
    wchar_t buffer[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
    return buffer;
}

}  // namespace testing_support
