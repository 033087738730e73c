// The modal boxes of the framework:
//   ApplicationTitle   the caption of every box the program shows (and of its task-bar entry)
//   MessageBox         a system message box, through a service that tests can replace
//   ShowMessage        the program's own messages: OK only, no icon, centred on the screen
//   ShowErrorMessage   the box of the general error report: stop icon, text ending in a full stop
//   TOpenDialog        the common open-file dialog, through a replaceable service too
//
// windows.h turns the name MessageBox into MessageBoxW; ui::MessageBox is renamed alike
// wherever it is declared or called, since this header includes windows.h. Call it
// qualified: an unqualified call with an HWND argument may find the system's function.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/Component.h"

namespace ui {

// Until set: the program file's name without folder and extension.
const std::wstring& ApplicationTitle();
void SetApplicationTitle(std::wstring title);

struct MessageBoxRequest {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};
// Shows a box and answers with the button pressed (IDOK, IDCANCEL ...).
using MessageBoxService = std::function<int(const MessageBoxRequest& request)>;
// An empty service stands for the system's box. Returns the service replaced.
MessageBoxService SetMessageBoxService(MessageBoxService service);

// Installs a service for one scope and puts the previous one back.
class ScopedMessageBoxService {
public:
    explicit ScopedMessageBoxService(MessageBoxService service) : previous_(SetMessageBoxService(std::move(service))) {}
    ScopedMessageBoxService(const ScopedMessageBoxService&) = delete;
    ScopedMessageBoxService& operator=(const ScopedMessageBoxService&) = delete;
    ~ScopedMessageBoxService() { SetMessageBoxService(std::move(previous_)); }

private:
    MessageBoxService previous_;
};

int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);

// Task-modal, so that the program's windows wait for the answer although the box has no owner
// (which is what centres it on the screen).
inline constexpr UINT kShowMessageFlags = MB_OK | MB_TASKMODAL;
inline constexpr UINT kErrorMessageFlags = MB_OK | MB_ICONSTOP | MB_TASKMODAL;

void ShowMessage(const std::wstring& text);
void ShowErrorMessage(const std::wstring& text);

// The error report's text: a full stop is added unless the text is empty or already ends in
// one, ASCII '.' or the ideographic '。'.
std::wstring WithFullStop(std::wstring text);

enum TOpenOption : std::uint32_t {
    ofHideReadOnly = 1u << 0,
    ofNoChangeDir = 1u << 1,
    ofPathMustExist = 1u << 2,
    ofFileMustExist = 1u << 3,
    ofEnableSizing = 1u << 4,
};
using TOpenOptions = std::uint32_t;

// Asks the user for one existing file.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
    std::wstring_view ClassName() const override { return L"TOpenDialog"; }

    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    // Pairs of description and pattern, all separated by '|': "录音文件|*.*".
    const std::wstring& Filter() const { return filter_; }
    void SetFilter(std::wstring filter) { filter_ = std::move(filter); }
    // The file chosen (full path), also the one proposed when the dialog opens.
    const std::wstring& FileName() const { return file_name_; }
    void SetFileName(std::wstring name) { file_name_ = std::move(name); }
    const std::wstring& InitialDir() const { return initial_dir_; }
    void SetInitialDir(std::wstring dir) { initial_dir_ = std::move(dir); }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions options) { options_ = options; }

    // True when the user chose a file; FileName then holds it.
    bool Execute();

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    std::wstring title_;
    std::wstring filter_;
    std::wstring file_name_;
    std::wstring initial_dir_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
};

// Runs a dialog in place of the system's; answers as Execute does and may set FileName.
using OpenDialogService = std::function<bool(TOpenDialog& dialog)>;
OpenDialogService SetOpenDialogService(OpenDialogService service);

// The filter as the system wants it: NUL between the parts, two NULs at the end.
std::wstring FilterForSystem(std::wstring_view filter);

}  // namespace ui
