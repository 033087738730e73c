// Forms and the application: top-level windows with border style, position, window state,
// close query and modal showing; the application object with its message loop, general
// error report and hint mechanism (the hint window class can be replaced).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Gdi.h"

namespace ui {

class TMainMenu;
class TCustomForm;

enum class TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
inline constexpr std::wstring_view kFormBorderStyleIdents[] = {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"};
inline constexpr TEnumType TFormBorderStyleType{L"TFormBorderStyle", kFormBorderStyleIdents};
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8;
enum class TPosition : std::uint8_t { poDesigned, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
inline constexpr std::wstring_view kWindowStateIdents[] = {L"wsNormal", L"wsMinimized", L"wsMaximized"};
inline constexpr TEnumType TWindowStateType{L"TWindowState", kWindowStateIdents};
inline constexpr std::wstring_view kFormStyleIdents[] = {L"fsNormal", L"fsStayOnTop"};
inline constexpr TEnumType TFormStyleType{L"TFormStyle", kFormStyleIdents};
enum class TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// The form a control sits on, or nullptr.
TCustomForm* GetParentForm(TControl* control);

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    std::wstring_view ClassName() const override { return L"TCustomForm"; }

    // Ends the building of a form: every owned component is told Loaded(), then OnCreate
    // runs. A failure in OnCreate is reported and the form stays usable.
    void FinishCreate();

    TFormBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return border_icons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TFormStyle FormStyle() const { return form_style_; }
    void SetFormStyle(TFormStyle style);

    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The menu's items changed. CM_MENUCHANGED goes to the form's window first (its
    // subclasses, then the WindowProc chain; without a window, the chain only). An answer
    // other than 0 takes the change: whoever draws the menu bar in its place has dealt with
    // it, and the window is left without the system's menu bar. Otherwise the menu is put
    // on the window again and its bar redrawn.
    void MenuChanged();

    void Show();
    TModalResult ShowModal();
    void Close();
    bool CloseQuery();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult result) { modal_result_ = result; }

    TWinControl* ActiveControl() const { return active_control_; }
    void SetFocusedControl(TWinControl* control);
    void FocusChanged(TWinControl* control);
    // Sends a message to every control on the form.
    void Broadcast(UINT msg, WPARAM wParam, LPARAM lParam);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnActivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void SetClientSize(int width, int height) override;
    PropValue GetProperty(std::wstring_view name) const override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void DestroyWnd() override;
    void VisibleChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void PlaceOnScreen();

private:
    TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
    TBorderIcons border_icons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::poDesigned;
    TWindowState window_state_ = TWindowState::wsNormal;
    TFormStyle form_style_ = TFormStyle::fsNormal;
    TMainMenu* menu_ = nullptr;
    TWinControl* active_control_ = nullptr;
    bool modal_ = false;
    bool placed_ = false;
    TModalResult modal_result_ = mrNone;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    std::wstring_view ClassName() const override { return L"TForm"; }
};

// What the application knows about the hint it is about to show; a show-hint handler may
// change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    // The mouse in the hint control's client coordinates, when the hint was asked for.
    POINT CursorPos{};
    // Top-left corner of the hint window on the screen.
    POINT HintPos{};
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
};
using TShowHintEvent = std::function<void(std::wstring& hintStr, bool& canShow, THintInfo& hintInfo)>;

// The window that shows a hint. Subclasses (balloon hints) change its look and size.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    std::wstring_view ClassName() const override { return L"THintWindow"; }
    // The screen rectangle the text needs, at the origin.
    virtual RECT CalcHintRect(int maxWidth, const std::wstring& hint);
    // Shows the hint at a screen rectangle without taking the focus.
    virtual void ActivateHint(const RECT& rect, const std::wstring& hint);
    // Hides the hint; the application calls it whenever its hint ends.
    virtual void ReleaseHint();
    bool HintShowing() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

using THintWindowFactory = std::function<THintWindow*(TComponent* owner)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    std::wstring_view ClassName() const override { return L"TApplication"; }

    void Initialize();
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title);
    // The hidden application window: owner of the message boxes' title and the icon.
    HWND Handle() const { return handle_; }
    HICON Icon() const { return icon_; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <typename Form>
    Form* CreateForm()
    {
        auto* form = new Form(this);
        if (!main_form_) main_form_ = form;
        form->FinishCreate();
        return form;
    }
    TCustomForm* MainForm() const { return main_form_; }
    void SetMainForm(TCustomForm* form) { main_form_ = form; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles one message if there is one; false after WM_QUIT.
    bool ProcessMessage();
    void ProcessMessages();
    // Waits for and handles one message.
    void HandleMessage();

    // The general error report: a stop box with the failure's text, ended by a full stop.
    void HandleException(const std::exception& failure);

    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool value);
    int HintPause() const { return hint_pause_; }
    void SetHintPause(int ms) { hint_pause_ = ms; }
    // The pause before the hint of the next control while a hint is showing.
    int HintShortPause() const { return hint_short_pause_; }
    void SetHintShortPause(int ms) { hint_short_pause_ = ms; }
    int HintHidePause() const { return hint_hide_pause_; }
    void SetHintHidePause(int ms) { hint_hide_pause_ = ms; }
    // The window class of hints: the hint window is made anew from it. An empty factory
    // means the plain THintWindow.
    void SetHintWindowClass(THintWindowFactory factory);
    const THintWindowFactory& HintWindowClass() const { return hint_factory_; }
    THintWindow* HintWindow() const { return hint_window_; }
    void HintMouseMessage(TControl* control, const TMessage& message);
    void CancelHint();
    // Shows the hint of a control now, as the hint timer would with the mouse at `cursor`
    // (screen coordinates).
    void ActivateHintFor(TControl* control, POINT cursor);

    // Called for every hint about to show; may change the text, forbid it or move it.
    TShowHintEvent OnShowHint;

    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void HintTimerExpired(UINT_PTR id);

    std::wstring title_;
    HWND handle_ = nullptr;
    HICON icon_ = nullptr;
    TCustomForm* main_form_ = nullptr;
    bool terminated_ = false;
    bool show_hint_ = true;
    int hint_pause_ = 500;
    int hint_short_pause_ = 50;
    int hint_hide_pause_ = 2500;
    THintWindowFactory hint_factory_;
    THintWindow* hint_window_ = nullptr;
    TControl* hint_control_ = nullptr;
};

// The forms of the program: every live form, in the order they were created. A form joins
// when it is constructed and leaves first thing when it is destroyed.
class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> forms_;
};
TScreen* Screen();

// The process's application object (created by the program entry, or by tests).
TApplication* Application();
void SetApplication(TApplication* application);

}  // namespace ui
