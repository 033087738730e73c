// Failures are exceptions carrying the text the user is shown. The application's general
// error report (TApplication::HandleException) shows Message() for any Exception that a
// command lets go.
#pragma once

#include <exception>
#include <string>

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

// printf-like formatting of wide text. Write wide arguments as %ls: MinGW's %s in wide
// formats depends on the stdio flavour in use.
std::wstring Format(const wchar_t* format, ...);

}  // namespace ui
