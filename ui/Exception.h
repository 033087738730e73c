// Failures are exceptions carrying the text the user is shown. The application's general
// error report (TApplication::HandleException) shows Message() for any Exception that a
// command lets go.
#pragma once

#include <exception>
#include <cstddef>
#include <string>

struct HWND__;  // a window handle, HWND, without windows.h

namespace ui {

class Exception : public std::exception {
public:
    explicit Exception(std::wstring message);
    const std::wstring& Message() const { return message_; }
    // UTF-8 form, for test output and diagnostics.
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring message_;
    std::string utf8_;
};

// Text that does not convert to a number, time or date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The general error report: every boundary where the system calls us (window procedures,
// timer ticks) catches what a command let go and hands it here. The application installs
// its report at start; until then the failure is shown in a plain stop box.
using ExceptionHandler = void (*)(const std::exception& failure);
void SetExceptionHandler(ExceptionHandler handler);
void HandleException(const std::exception& failure) noexcept;
// Inside a catch block: hands the exception being handled, of whatever type, to the report.
void HandleCurrentException() noexcept;

// Runs body at a boundary where the system called us; whatever it throws goes to the
// general error report. True when the body ran through.
template <class Body>
bool Guarded(Body&& body) noexcept
{
    try {
        body();
        return true;
    } catch (...) {
        HandleCurrentException();
        return false;
    }
}

// Inside a catch block in a window's message handling. A painting message (WM_PAINT,
// WM_NCPAINT, WM_ERASEBKGND, WM_PRINT, WM_PRINTCLIENT, WM_DRAWITEM, WM_CTLCOLOR*, their
// reflected CN_ forms, WM_NCACTIVATE, WM_SYNCPAINT) comes back with every repaint, also
// while the report itself is on the screen: its failure is reported once per window and
// message, later ones pass silently. Other messages are reported every time.
void HandleMessageException(HWND__* window, unsigned msg) noexcept;
// The window is going (WM_NCDESTROY): what was remembered of its failures is dropped.
void ForgetWindowFailures(HWND__* window) noexcept;
// How many windows' painting failures are remembered on this thread.
std::size_t RememberedPaintFailures() noexcept;

// Guarded for the handling of one message of a window.
template <class Body>
bool Guarded(HWND__* window, unsigned msg, Body&& body) noexcept
{
    try {
        body();
        return true;
    } catch (...) {
        HandleMessageException(window, msg);
        return false;
    }
}

// The text a failure shows: an Exception's message, else the UTF-8 what() widened.
std::wstring ExceptionText(const std::exception& failure);

// UTF-8 text (library messages, what() texts) as wide text; null gives empty text.
std::wstring Utf8ToWide(const char* text);

// printf-like formatting of wide text. Write wide arguments as %ls: MinGW's %s in wide
// formats depends on the stdio flavour in use.
std::wstring Format(const wchar_t* format, ...);

}  // namespace ui
