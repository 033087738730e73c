#include "ui/Forms.h"

#include <algorithm>

#include "ui/Dialogs.h"
#include "ui/Exception.h"
#include "ui/Menus.h"

namespace ui {

namespace {

TApplication* g_application = nullptr;

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        return Guarded([&] { reinterpret_cast<std::vector<HWND>*>(list)->push_back(window); });
    return TRUE;
}

void ReportToApplication(const std::exception& failure)
{
    if (g_application) g_application->HandleException(failure);
}

}  // namespace

TApplication* Application() { return g_application; }

void SetApplication(TApplication* application)
{
    g_application = application;
    SetExceptionHandler(application ? &ReportToApplication : nullptr);
}

TScreen* Screen()
{
    static TScreen screen;
    return &screen;
}

TCustomForm* GetParentForm(TControl* control)
{
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

// ---------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    // Forms appear when shown, not when their window is created.
    TControl::SetVisible(false);
    SetParentFont(false);
    BeginLoading();
    Screen()->forms_.push_back(this);
}

TCustomForm::~TCustomForm()
{
    std::erase(Screen()->forms_, this);
    ReleaseWindowHooks();
    DestroyWnd();
    if (Application() && Application()->MainForm() == this) Application()->SetMainForm(nullptr);
}

void TCustomForm::FinishCreate()
{
    for (int i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();
    Loaded();
    if (!OnCreate) return;
    Guarded([&] { OnCreate(this); });
}

void TCustomForm::DestroyWnd()
{
    // A window destroys the menu it carries; the menu belongs to its component.
    if (WindowHandle()) ::SetMenu(WindowHandle(), nullptr);
    TWinControl::DestroyWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    border_style_ = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons)
{
    border_icons_ = icons;
    RecreateWnd();
}

TWindowState TCustomForm::WindowState() const
{
    if (HWND w = WindowHandle()) {
        if (IsIconic(w)) return TWindowState::wsMinimized;
        if (IsZoomed(w)) return TWindowState::wsMaximized;
        if (IsWindowVisible(w)) return TWindowState::wsNormal;
    }
    return window_state_;
}

void TCustomForm::SetWindowState(TWindowState state)
{
    window_state_ = state;
    if (!WindowHandle() || !Visible()) return;
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(WindowHandle(), kShow[static_cast<int>(state)]);
}

void TCustomForm::SetFormStyle(TFormStyle style)
{
    form_style_ = style;
    if (HWND w = WindowHandle())
        SetWindowPos(w, style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetClientSize(int width, int height)
{
    // The frame's size depends on the window's styles and menu bar: ask the window itself.
    HandleNeeded();
    TWinControl::SetClientSize(width, height);
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    if (menu_) RemoveFreeNotification(menu_);
    menu_ = menu;
    if (menu_) FreeNotification(menu_);
    if (!WindowHandle()) return;
    // Keep the client size: the menu bar comes out of the frame, not out of the client.
    RECT client = ClientRect();
    ::SetMenu(WindowHandle(), menu_ ? menu_->Handle() : nullptr);
    SetClientSize(client.right - client.left, client.bottom - client.top);
}

void TCustomForm::MenuChanged()
{
    const HWND window = WindowHandle();
    const LRESULT taken = window ? SendMessageW(window, CM_MENUCHANGED, 0, 0) : Perform(CM_MENUCHANGED);
    if (taken || !window || !menu_) return;
    ::SetMenu(window, menu_->Handle());
    DrawMenuBar(window);
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == menu_) menu_ = nullptr;
    if (component == active_control_) active_control_ = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    switch (border_style_) {
    case TFormBorderStyle::bsNone: params.Style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
        params.Style |= WS_CAPTION | DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::bsToolWindow:
        params.Style |= WS_CAPTION | WS_BORDER;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (border_style_ != TFormBorderStyle::bsNone && (border_icons_ & biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        const bool dialog = border_style_ == TFormBorderStyle::bsDialog || border_style_ == TFormBorderStyle::bsToolWindow ||
                            border_style_ == TFormBorderStyle::bsSizeToolWin;
        if (!dialog) {
            if (border_icons_ & biMinimize) params.Style |= WS_MINIMIZEBOX;
            if (border_icons_ & biMaximize) params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (form_style_ == TFormStyle::fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    // Secondary forms belong to the main form: one task bar entry, kept above it.
    TCustomForm* main = Application() ? Application()->MainForm() : nullptr;
    params.WndParent = (main && main != this) ? main->Handle() : nullptr;
    if (!params.WndParent) params.ExStyle |= WS_EX_APPWINDOW;
}

void TCustomForm::CreateWindowHandleDone()
{
    if (menu_) ::SetMenu(WindowHandle(), menu_->Handle());
    if (Application() && Application()->Icon()) {
        SendMessageW(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application()->Icon()));
        SendMessageW(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application()->Icon()));
    }
}

void TCustomForm::PlaceOnScreen()
{
    if (placed_) return;
    placed_ = true;
    RECT area{};
    switch (position_) {
    case TPosition::poDesigned: return;
    case TPosition::poScreenCenter: {
        MONITORINFO info{sizeof(info)};
        GetMonitorInfoW(MonitorFromWindow(WindowHandle(), MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
        break;
    }
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TCustomForm* main = Application() ? Application()->MainForm() : nullptr;
        if (!main || main == this || !main->WindowHandle()) return;
        GetWindowRect(main->WindowHandle(), &area);
        break;
    }
    }
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
        Width(), Height());
}

void TCustomForm::VisibleChanged()
{
    if (!Visible()) {
        if (WindowHandle()) ShowWindow(WindowHandle(), SW_HIDE);
        return;
    }
    HandleNeeded();
    PlaceOnScreen();
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(WindowHandle(), kShow[static_cast<int>(window_state_)]);
    if (active_control_ && active_control_->CanFocus()) active_control_->SetFocus();
    if (OnShow) OnShow(this);
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (WindowHandle()) {
        SetForegroundWindow(WindowHandle());
    }
}

TModalResult TCustomForm::ShowModal()
{
    if (modal_ || Visible()) throw Exception(L"Cannot make a visible window modal");
    // Every other window of the thread waits while the dialog is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    std::erase_if(disabled, [this](HWND w) { return w == WindowHandle(); });
    for (HWND w : disabled) EnableWindow(w, FALSE);

    modal_ = true;
    modal_result_ = mrNone;
    Show();
    while (modal_result_ == mrNone && Application() && !Application()->Terminated()) {
        Application()->HandleMessage();
        if (modal_result_ != mrNone && !CloseQuery()) modal_result_ = mrNone;
    }
    modal_ = false;
    for (HWND w : disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    Hide();
    if (!disabled.empty() && IsWindow(disabled.front())) SetActiveWindow(disabled.front());
    return modal_result_;
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (modal_) {
        // The modal loop asks CloseQuery before it lets the dialog go.
        modal_result_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    const bool isMain = Application() && Application()->MainForm() == this;
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    switch (action) {
    case TCloseAction::caNone: return;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); return;
    default:
        if (isMain) {
            Application()->Terminate();
        } else {
            Hide();
        }
    }
}

void TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (active_control_ == control) return;
    if (active_control_) RemoveFreeNotification(active_control_);
    active_control_ = control;
    if (control) FreeNotification(control);
}

void TCustomForm::FocusChanged(TWinControl* control)
{
    SetFocusedControl(control);
    Broadcast(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::Broadcast(UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(Components(i));
        if (control && std::find(list.begin(), list.end(), control) == list.end()) control->Perform(msg, wParam, lParam);
    }
    for (TWinControl* control : list) control->Perform(msg, wParam, lParam);
}

PropValue TCustomForm::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"BorderStyle")) return EnumProp(TFormBorderStyleType, border_style_);
    if (SameName(name, L"WindowState")) return EnumProp(TWindowStateType, WindowState());
    if (SameName(name, L"FormStyle")) return EnumProp(TFormStyleType, form_style_);
    return TWinControl::GetProperty(name);
}

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
        // A child drawing what lies under it asks with WM_PRINTCLIENT: that must not validate
        // a pending paint of the form the way WM_PAINT would.
        BrushHandle brush(CreateSolidBrush(ColorToRGB(Color())));
        RECT r;
        GetClientRect(WindowHandle(), &r);
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush.get());
        message.Result = 1;
        return;
    }
    case WM_COMMAND:
        // Menu commands (no control window in lParam) go to the item with that command.
        if (message.LParam == 0 && HIWORD(message.WParam) == 0) {
            if (TMenuItem* item = FindMenuItemByCommand(LOWORD(message.WParam))) {
                item->Click();
                return;
            }
        }
        break;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->CtlType == ODT_MENU) {
            if (DispatchMenuDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam))) {
                message.Result = TRUE;
                return;
            }
        }
        break;
    case WM_MEASUREITEM:
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlType == ODT_MENU) {
            if (DispatchMenuMeasureItem(WindowHandle(), *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
                message.Result = TRUE;
                return;
            }
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) != WA_INACTIVE) {
            if (active_control_ && active_control_->CanFocus() && active_control_->WindowHandle())
                ::SetFocus(active_control_->WindowHandle());
            if (OnActivate) OnActivate(this);
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    TControl::SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.ClassStyle = CS_SAVEBITS | CS_DROPSHADOW;
    params.WndParent = nullptr;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::wstring& hint)
{
    RECT r{0, 0, maxWidth, 0};
    ClientDC dc(nullptr);
    ScopedSelect font(dc.get(), Font()->Handle());
    DrawTextW(dc.get(), hint.c_str(), static_cast<int>(hint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.right += 6;
    r.bottom += 4;
    return r;
}

void THintWindow::ActivateHint(const RECT& rect, const std::wstring& hint)
{
    SetText(hint);
    HandleNeeded();
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    SetWindowPos(WindowHandle(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        SWP_SHOWWINDOW | SWP_NOACTIVATE);
    TControl::SetVisible(true);
    Invalidate();
}

void THintWindow::ReleaseHint()
{
    if (WindowHandle() && IsWindowVisible(WindowHandle())) ShowWindow(WindowHandle(), SW_HIDE);
    TControl::SetVisible(false);
}

bool THintWindow::HintShowing() const { return WindowHandle() && IsWindowVisible(WindowHandle()); }

void THintWindow::Paint()
{
    RECT r = ClientRect();
    InflateRect(&r, -2, -1);
    Canvas()->Brush().SetStyle(TBrushStyle::bsClear);
    Canvas()->Font().Assign(*Font());
    Canvas()->DrawText(Text(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    if (!g_application) SetApplication(this);
}

TApplication::~TApplication()
{
    // Forms go first: their windows may still call back into the application.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    if (handle_) DestroyWindow(handle_);
    if (g_application == this) SetApplication(nullptr);
}

void TApplication::Initialize()
{
    if (handle_) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &TApplication::AppWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TApplication";
    RegisterClassExW(&wc);
    icon_ = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    if (!icon_) icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
        GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void TApplication::SetTitle(const std::wstring& title)
{
    title_ = title;
    SetApplicationTitle(title);
    if (handle_) SetWindowTextW(handle_, title.c_str());
}

LRESULT CALLBACK TApplication::AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!app) return DefWindowProcW(window, msg, wParam, lParam);
    try {
        switch (msg) {
        case WM_TIMER: app->HintTimerExpired(wParam); return 0;
        // Popup menus shown without a form are owned by this window: their owner-drawn
        // items are drawn here like on a form.
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU && DispatchMenuDrawItem(*item)) return TRUE;
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU && DispatchMenuMeasureItem(window, *item)) return TRUE;
            break;
        }
        default: break;
        }
    } catch (...) {
        HandleMessageException(window, msg);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void TApplication::Run()
{
    if (main_form_) main_form_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate()
{
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        ProcessMessage();
        return;
    }
    WaitMessage();
}

void TApplication::HandleException(const std::exception& failure)
{
    ShowErrorMessage(ExceptionText(failure));
}

void TApplication::SetShowHint(bool value)
{
    show_hint_ = value;
    if (!value) CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowFactory factory)
{
    CancelHint();
    delete hint_window_;
    hint_window_ = nullptr;
    hint_factory_ = std::move(factory);
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == hint_window_) hint_window_ = nullptr;
    if (component == hint_control_) hint_control_ = nullptr;
    if (component == main_form_) main_form_ = nullptr;
}

void TApplication::HintMouseMessage(TControl* control, const TMessage& message)
{
    if (!show_hint_ || !handle_) return;
    if (message.Msg == WM_MOUSELEAVE) {
        // The mouse may have gone onto the hint window itself: the hint stays until it ends.
        if (control == hint_control_ && !(hint_window_ && hint_window_->HintShowing())) CancelHint();
        return;
    }
    if (control == hint_control_) return;
    // Going from one hint to the next waits only the short pause.
    const bool showing = hint_window_ && hint_window_->HintShowing();
    CancelHint();
    if (!control->ShowHint() || control->Hint().empty()) return;
    hint_control_ = control;
    FreeNotification(control);
    SetTimer(handle_, kHintShowTimer, static_cast<UINT>(showing ? hint_short_pause_ : hint_pause_), nullptr);
}

void TApplication::CancelHint()
{
    if (handle_) {
        KillTimer(handle_, kHintShowTimer);
        KillTimer(handle_, kHintHideTimer);
    }
    if (hint_window_) hint_window_->ReleaseHint();
    if (hint_control_) RemoveFreeNotification(hint_control_);
    hint_control_ = nullptr;
}

void TApplication::HintTimerExpired(UINT_PTR id)
{
    KillTimer(handle_, id);
    if (id == kHintHideTimer) {
        if (hint_window_) hint_window_->ReleaseHint();
        return;
    }
    if (!hint_control_) return;
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    if (under != hint_control_->DrawingWindow()) return;
    ActivateHintFor(hint_control_, cursor);
}

void TApplication::ActivateHintFor(TControl* control, POINT cursor)
{
    if (!handle_ || !control) return;
    if (control != hint_control_) {
        CancelHint();
        hint_control_ = control;
        FreeNotification(control);
    }
    if (!hint_window_) {
        hint_window_ = hint_factory_ ? hint_factory_(this) : new THintWindow(this);
        FreeNotification(hint_window_);
    }
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(cursor);
    const int cursorHeight = GetSystemMetrics(SM_CYCURSOR);
    info.HintPos = {cursor.x, cursor.y + cursorHeight / 2 + 4};
    info.HintMaxWidth = 300;
    info.HintColor = clInfoBk;
    std::wstring hint = control->Hint();
    bool canShow = true;
    if (OnShowHint) OnShowHint(hint, canShow, info);
    if (!canShow || hint.empty()) return;
    hint_window_->SetColor(info.HintColor);
    RECT r = hint_window_->CalcHintRect(info.HintMaxWidth, hint);
    OffsetRect(&r, info.HintPos.x, info.HintPos.y);
    hint_window_->ActivateHint(r, hint);
    SetTimer(handle_, kHintHideTimer, static_cast<UINT>(hint_hide_pause_), nullptr);
}

}  // namespace ui
