#include "ui/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace ui {

namespace {

// The control whose window is being created on this thread: bound to the window by its
// first message, before CreateWindowEx returns.
thread_local TWinControl* g_creating = nullptr;
// The notification a parent is reflecting to a child right now.
thread_local const NMHDR* g_reflected_notify = nullptr;

// Superclassed system classes keep their own window procedure for the default handling.
std::map<std::wstring, WNDPROC>& ClassDefaultProcs()
{
    static std::map<std::wstring, WNDPROC> procs;
    return procs;
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

LPCWSTR SystemCursor(TCursor cursor)
{
    switch (cursor) {
    case crArrow: return IDC_ARROW;
    case crIBeam: return IDC_IBEAM;
    case crHandPoint: return IDC_HAND;
    default: return nullptr;
    }
}

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

}  // namespace

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

const std::wstring& ControlAtomName()
{
    thread_local const std::wstring name = Format(L"ControlOfs%.8llX%.8lX",
        static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(ModuleInstance())),
        static_cast<unsigned long>(GetCurrentThreadId()));
    return name;
}

ATOM ControlAtom()
{
    // A global atom, so that other modules of the thread can look controls up by the name.
    thread_local const ATOM atom = GlobalAddAtomW(ControlAtomName().c_str());
    return atom;
}

const NMHDR* ReflectedNotify(const TMessage& message)
{
    if (message.Msg != CN_NOTIFY || !g_reflected_notify) return nullptr;
    return reinterpret_cast<const NMHDR*>(message.LParam) == g_reflected_notify ? g_reflected_notify : nullptr;
}

TControl* FindControl(HWND window)
{
    if (!window) return nullptr;
    return static_cast<TControl*>(GetPropW(window, MAKEINTATOM(ControlAtom())));
}

// ---------------------------------------------------------------------------------------
// TControl

struct TControl::THookEntry {
    THookToken token;
    TWindowHook hook;
    bool removed = false;
};

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    ReleaseWindowHooks();
    if (parent_) parent_->RemoveControl(this);
}

THookToken TControl::AddWindowHook(TWindowHook hook)
{
    if (!hook) return 0;
    hooks_.push_back(std::make_shared<THookEntry>(THookEntry{++last_hook_token_, std::move(hook)}));
    return hooks_.back()->token;
}

void TControl::RemoveWindowHook(THookToken token)
{
    auto it = std::find_if(hooks_.begin(), hooks_.end(), [token](const auto& entry) { return entry->token == token; });
    if (it == hooks_.end()) return;
    // A message on its way may still hold the entry: the mark keeps it from being called.
    (*it)->removed = true;
    hooks_.erase(it);
}

void TControl::ReleaseWindowHooks()
{
    if (hooks_.empty()) return;
    Perform(CM_CONTROLDESTROYING);
    for (const auto& entry : hooks_) entry->removed = true;
    hooks_.clear();
}

void TControl::WindowProc(TMessage& message)
{
    if (hooks_.empty()) {
        HandleMessage(message);
        return;
    }
    // The message runs along the hooks as they are now; the copy keeps each one alive while
    // it runs, whatever is removed meanwhile.
    const std::vector<std::shared_ptr<THookEntry>> chain = hooks_;
    RunHooks(this, chain, chain.size(), message);
}

void TControl::HandleMessage(TMessage& message)
{
    if (window_going_)
        DefaultHandler(message);
    else
        WndProc(message);
}

void TControl::RunHooks(TControl* control, const std::vector<std::shared_ptr<THookEntry>>& chain, size_t below,
    TMessage& message)
{
    while (below > 0 && chain[below - 1]->removed) --below;
    if (below == 0) {
        control->HandleMessage(message);
        return;
    }
    struct Step {
        TControl* control;
        const std::vector<std::shared_ptr<THookEntry>>* chain;
        size_t below;
    } step{control, &chain, below - 1};
    const TWndMethod next = [&step](TMessage& m) { RunHooks(step.control, *step.chain, step.below, m); };
    chain[below - 1]->hook(message, next);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent_ == parent) return;
    if (parent == this) throw Exception(L"A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    RECT r{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (EqualRect(&r, &bounds_)) return;
    bounds_ = r;
    BoundsChanged();
    RequestAlign();
}

RECT TControl::ClientRect() const { return RECT{0, 0, Width(), Height()}; }
int TControl::ClientWidth() const { return RectWidth(ClientRect()); }
int TControl::ClientHeight() const { return RectHeight(ClientRect()); }
void TControl::SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

void TControl::SetAlign(TAlign align)
{
    if (align_ == align) return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::SetVisible(bool visible)
{
    if (visible_ == visible) return;
    visible_ = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    if (parent_) parent_->Realign();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetParentFont(bool value)
{
    parent_font_ = value;
    if (value) ParentFontChanged();
}

void TControl::SetColor(TColor color)
{
    parent_color_ = false;
    if (color_ == color) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value)
{
    parent_color_ = value;
    if (value) ParentColorChanged();
}

void TControl::ParentFontChanged()
{
    if (!parent_font_ || !parent_) return;
    font_.Assign(*parent_->Font());
    parent_font_ = true;  // Assign reports a change; following the parent is not one of ours
}

void TControl::ParentColorChanged()
{
    if (!parent_color_ || !parent_ || color_ == parent_->Color()) return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::SetText(const std::wstring& text)
{
    if (GetText() == text) return;
    StoreText(text);
    TextChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (popup_menu_) RemoveFreeNotification(popup_menu_);
    popup_menu_ = menu;
    if (menu) FreeNotification(menu);
}

void TControl::SetCursor(TCursor cursor)
{
    if (cursor_ == cursor) return;
    cursor_ = cursor;
    Perform(CM_CURSORCHANGED);
    // Show the new shape at once when the mouse is over us.
    POINT p;
    if (HWND w = DrawingWindow(); w && GetCursorPos(&p) && WindowFromPoint(p) == w)
        SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::Invalidate()
{
    if (HWND w = DrawingWindow()) InvalidateRect(w, nullptr, TRUE);
}

void TControl::Repaint()
{
    if (HWND w = DrawingWindow()) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void TControl::Update()
{
    if (HWND w = DrawingWindow()) UpdateWindow(w);
}

POINT TControl::ClientToScreen(POINT point) const
{
    if (HWND w = DrawingWindow()) ::ClientToScreen(w, &point);
    return point;
}

POINT TControl::ScreenToClient(POINT point) const
{
    if (HWND w = DrawingWindow()) ::ScreenToClient(w, &point);
    return point;
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::VisibleChanged() {}
void TControl::EnabledChanged() {}
void TControl::TextChanged() { Perform(CM_TEXTCHANGED); }

void TControl::FontChanged()
{
    parent_font_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::ColorChanged() { Perform(CM_COLORCHANGED); }

bool TControl::ContextPopup(POINT screenPoint)
{
    bool handled = false;
    if (OnContextPopup) OnContextPopup(this, screenPoint, handled);
    if (handled) return true;
    if (popup_menu_ && popup_menu_->AutoPopup()) {
        if (screenPoint.x == -1 && screenPoint.y == -1) {
            // Opened from the keyboard: place the menu at the control's top left corner.
            screenPoint = ClientToScreen(POINT{0, 0});
        }
        popup_menu_->SetPopupComponent(this);
        popup_menu_->Popup(screenPoint.x, screenPoint.y);
        return true;
    }
    return false;
}

void TControl::HandleMouse(TMessage& message)
{
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = KeyboardShiftState();
    if (message.WParam & MK_LBUTTON) shift |= ssLeft;
    if (message.WParam & MK_RBUTTON) shift |= ssRight;
    if (message.WParam & MK_MBUTTON) shift |= ssMiddle;

    auto down = [&](TMouseButton button, bool dbl) {
        if (dbl) shift |= ssDouble;
        if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
    };
    auto up = [&](TMouseButton button) {
        if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    };

    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (!mouse_inside_) {
            mouse_inside_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, DrawingWindow(), 0};
            if (track.hwndTrack) TrackMouseEvent(&track);
            Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
        }
        if (Application()) Application()->HintMouseMessage(this, message);
        if (OnMouseMove) OnMouseMove(this, shift, x, y);
        break;
    case WM_MOUSELEAVE:
        mouse_inside_ = false;
        Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
        if (Application()) Application()->HintMouseMessage(this, message);
        break;
    case WM_LBUTTONDOWN: down(TMouseButton::mbLeft, false); break;
    case WM_RBUTTONDOWN: down(TMouseButton::mbRight, false); break;
    case WM_MBUTTONDOWN: down(TMouseButton::mbMiddle, false); break;
    case WM_LBUTTONDBLCLK:
        down(TMouseButton::mbLeft, true);
        DblClick();
        break;
    case WM_RBUTTONDBLCLK: down(TMouseButton::mbRight, true); break;
    case WM_LBUTTONUP: up(TMouseButton::mbLeft); break;
    case WM_RBUTTONUP: up(TMouseButton::mbRight); break;
    case WM_MBUTTONUP: up(TMouseButton::mbMiddle); break;
    default: break;
    }
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN) {
        if (Application()) Application()->CancelHint();
    }
}

void TControl::WndProc(TMessage& message)
{
    // The control's own double-click comes first (an edit selects the word under the mouse),
    // so that OnDblClick finds what the user sees.
    if (message.Msg == WM_LBUTTONDBLCLK) {
        DefaultHandler(message);
        HandleMouse(message);
        return;
    }
    if ((message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) || message.Msg == WM_MOUSELEAVE)
        HandleMouse(message);
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

PropValue TControl::GetProperty(std::wstring_view name) const
{
    auto i64 = [](auto v) { return PropValue(static_cast<std::int64_t>(v)); };
    if (SameName(name, L"Caption") || SameName(name, L"Text")) return GetText();
    if (SameName(name, L"Color")) return i64(color_);
    if (SameName(name, L"Font")) return PropValue(static_cast<TObject*>(const_cast<TFont*>(&font_)));
    if (SameName(name, L"Visible")) return BoolProp(visible_);
    if (SameName(name, L"Enabled")) return BoolProp(enabled_);
    if (SameName(name, L"Hint")) return hint_;
    if (SameName(name, L"ShowHint")) return BoolProp(show_hint_);
    if (SameName(name, L"ParentFont")) return BoolProp(parent_font_);
    if (SameName(name, L"ParentColor")) return BoolProp(parent_color_);
    if (SameName(name, L"Left")) return i64(Left());
    if (SameName(name, L"Top")) return i64(Top());
    if (SameName(name, L"Width")) return i64(Width());
    if (SameName(name, L"Height")) return i64(Height());
    if (SameName(name, L"Align")) return EnumProp(TAlignType, align_);
    if (SameName(name, L"Cursor")) return i64(cursor_);
    if (SameName(name, L"PopupMenu")) return PropValue(static_cast<TObject*>(popup_menu_));
    return TComponent::GetProperty(name);
}

bool TControl::SetProperty(std::wstring_view name, const PropValue& value)
{
    const auto* i = std::get_if<std::int64_t>(&value);
    const auto* s = std::get_if<std::wstring>(&value);
    if ((SameName(name, L"Caption") || SameName(name, L"Text")) && s) { SetText(*s); return true; }
    if (SameName(name, L"Hint") && s) { SetHint(*s); return true; }
    if (!i) {
        if (SameName(name, L"Font")) {
            auto* const* o = std::get_if<TObject*>(&value);
            auto* font = o ? dynamic_cast<TFont*>(*o) : nullptr;
            if (!font) return false;
            font_.Assign(*font);
            return true;
        }
        return TComponent::SetProperty(name, value);
    }
    if (SameName(name, L"Color")) { SetColor(static_cast<TColor>(*i)); return true; }
    if (SameName(name, L"Visible")) { SetVisible(*i != 0); return true; }
    if (SameName(name, L"Enabled")) { SetEnabled(*i != 0); return true; }
    if (SameName(name, L"ShowHint")) { SetShowHint(*i != 0); return true; }
    if (SameName(name, L"ParentFont")) { SetParentFont(*i != 0); return true; }
    if (SameName(name, L"ParentColor")) { SetParentColor(*i != 0); return true; }
    if (SameName(name, L"Left")) { SetLeft(static_cast<int>(*i)); return true; }
    if (SameName(name, L"Top")) { SetTop(static_cast<int>(*i)); return true; }
    if (SameName(name, L"Width")) { SetWidth(static_cast<int>(*i)); return true; }
    if (SameName(name, L"Height")) { SetHeight(static_cast<int>(*i)); return true; }
    if (SameName(name, L"Cursor")) { SetCursor(static_cast<TCursor>(*i)); return true; }
    if (SameName(name, L"Align") && *i >= 0 && *i < std::ssize(kAlignIdents)) { SetAlign(static_cast<TAlign>(*i)); return true; }
    return TComponent::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TWindowHookLink

void TWindowHookLink::Hook(TControl* control, TWindowHook hook)
{
    Unhook();
    if (!control || !hook) return;
    control_ = control;
    token_ = control->AddWindowHook([this, hook = std::move(hook)](TMessage& message, const TWndMethod& next) {
        if (message.Msg == CM_CONTROLDESTROYING) {
            control_ = nullptr;
            token_ = 0;
        }
        hook(message, next);
    });
}

void TWindowHookLink::Unhook()
{
    if (control_) control_->RemoveWindowHook(token_);
    control_ = nullptr;
    token_ = 0;
}

// ---------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    ReleaseWindowHooks();
    for (TControl* child : std::vector<TControl*>(controls_)) RemoveControl(child);
    DestroyWnd();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.WinClassName = std::wstring(ClassName());
    params.Caption = text_;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (tab_stop_) params.Style |= WS_TABSTOP;
    if (Parent()) {
        params.WndParent = Parent()->Handle();
    } else {
        params.Style &= ~static_cast<DWORD>(WS_CHILD);
    }
}

namespace {

// Registers the window class of a control once per process.
void RegisterControlClass(const TCreateParams& params, WNDPROC proc)
{
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(ModuleInstance(), params.WinClassName.c_str(), &existing)) return;

    WNDCLASSEXW wc{sizeof(wc)};
    if (!params.BaseClassName.empty()) {
        if (!GetClassInfoExW(nullptr, params.BaseClassName.c_str(), &wc))
            throw Exception(L"Window class " + params.BaseClassName + L" is not available");
        wc.cbSize = sizeof(wc);
        ClassDefaultProcs()[params.WinClassName] = wc.lpfnWndProc;
        // Each window of a superclass is bound to its object; a shared class DC or parent DC
        // of the base class would make our painting affect siblings.
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        ClassDefaultProcs()[params.WinClassName] = DefWindowProcW;
    }
    wc.lpfnWndProc = proc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExW(&wc)) throw Exception(L"Cannot register window class " + params.WinClassName);
}

}  // namespace

HWND TWinControl::Handle()
{
    if (!handle_) CreateWnd();
    return handle_;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (Parent() && !params.WndParent) return;
    RegisterControlClass(params, &TWinControl::ControlWndProc);
    default_proc_ = ClassDefaultProcs()[params.WinClassName];

    TWinControl* previous = std::exchange(g_creating, this);
    HWND window = CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
        params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr, ModuleInstance(), nullptr);
    g_creating = previous;
    if (!window) throw Exception(Format(L"Error creating window of %ls (%lu)", params.WinClassName.c_str(), GetLastError()));
    if (!handle_) AttachHandle(window);

    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    CreateWindowHandleDone();
    CreateChildHandles();
    Realign();
}

void TWinControl::AttachHandle(HWND window)
{
    handle_ = window;
    SetPropW(window, MAKEINTATOM(ControlAtom()), this);
}

void TWinControl::CreateChildHandles()
{
    for (TControl* child : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(child); w && !w->handle_) w->CreateWnd();
}

void TWinControl::DestroyWnd()
{
    if (!handle_) return;
    HWND window = handle_;
    Perform(CM_DESTROYHANDLE, 0, reinterpret_cast<LPARAM>(window));
    for (TControl* child : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(child)) w->DestroyWnd();
    // The window stays bound to this object until WM_NCDESTROY has passed through it.
    if (handle_ == window) {
        window_going_ = true;
        DestroyWindow(window);
        window_going_ = false;
    }
    if (handle_ == window) {
        // Destroying failed (a window of another thread cannot be destroyed from here).
        RemovePropW(window, MAKEINTATOM(ControlAtom()));
        handle_ = nullptr;
    }
}

void TWinControl::RecreateWnd()
{
    if (!handle_) return;
    DestroyWnd();
    CreateWnd();
    Perform(CM_RECREATEWND);
}

LRESULT CALLBACK TWinControl::ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(FindControl(window));
    if (!control && g_creating && !g_creating->handle_) {
        control = g_creating;
        control->AttachHandle(window);
    }
    if (!control) {
        WNDPROC proc = DefWindowProcW;
        Guarded([&] {
            wchar_t name[256];
            GetClassNameW(window, name, 256);
            auto it = ClassDefaultProcs().find(name);
            if (it != ClassDefaultProcs().end()) proc = it->second;
        });
        return CallWindowProcW(proc, window, msg, wParam, lParam);
    }
    TMessage message{msg, wParam, lParam, 0};
    // A paint that failed before it validated the window would come straight back.
    if (!Guarded(window, msg, [&] { control->WindowProc(message); }) && msg == WM_PAINT) ValidateRect(window, nullptr);
    if (msg == WM_NCDESTROY) ForgetWindowFailures(window);
    if (msg == WM_NCDESTROY && control->handle_ == window) {
        RemovePropW(window, MAKEINTATOM(ControlAtom()));
        control->handle_ = nullptr;
    }
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!handle_) return;
    message.Result = CallWindowProcW(default_proc_ ? default_proc_ : DefWindowProcW, handle_, message.Msg,
        message.WParam, message.LParam);
}

bool TWinControl::ReflectToChild(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU) child = GetDlgItem(handle_, static_cast<int>(item->CtlID));
        break;
    }
    default:
        return false;
    }
    if (!child || child == handle_) return false;
    TControl* target = FindControl(child);
    if (!target) return false;
    const NMHDR* outer = g_reflected_notify;
    if (message.Msg == WM_NOTIFY) g_reflected_notify = reinterpret_cast<const NMHDR*>(message.LParam);
    struct Restore {
        const NMHDR* outer;
        ~Restore() { g_reflected_notify = outer; }
    } restore{outer};
    message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

LRESULT TWinControl::ControlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    brush_.SetColor(Color());
    return reinterpret_cast<LRESULT>(brush_.Handle());
}

bool TWinControl::KeyMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN;
        TKeyEvent& handler = down ? OnKeyDown : OnKeyUp;
        if (!handler) return false;
        WORD key = static_cast<WORD>(message.WParam);
        handler(this, key, KeyboardShiftState());
        if (key == 0) return true;
        message.WParam = key;
        return false;
    }
    case WM_CHAR: {
        if (!OnKeyPress) return false;
        wchar_t ch = static_cast<wchar_t>(message.WParam);
        OnKeyPress(this, ch);
        if (ch == 0) return true;
        message.WParam = ch;
        return false;
    }
    default:
        return false;
    }
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (ReflectToChild(message)) return;
        break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX:
        message.Result = ControlColor(reinterpret_cast<HDC>(message.WParam));
        return;
    case WM_SETCURSOR:
        if (LOWORD(message.LParam) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == handle_) {
            if (LPCWSTR id = SystemCursor(Cursor())) {
                ::SetCursor(LoadCursorW(nullptr, id));
                message.Result = TRUE;
                return;
            }
        }
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(message.WParam) == handle_ &&
            ContextPopup(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}))
            return;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        if (KeyMessage(message)) return;
        break;
    case WM_SETFOCUS:
        if (OnEnter) OnEnter(this);
        if (TCustomForm* form = GetParentForm(this)) form->FocusChanged(this);
        break;
    case WM_KILLFOCUS:
        Perform(CM_EXIT);
        if (OnExit) OnExit(this);
        break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        TControl::WndProc(message);
        UpdateBounds();
        return;
    default:
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::UpdateBounds()
{
    if (!handle_) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    if (!EqualRect(&r, &bounds_)) {
        bounds_ = r;
        BoundsChanged();
    }
    Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    RECT r{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (EqualRect(&r, &bounds_)) return;
    bounds_ = r;
    if (handle_) {
        // While the parent aligns its controls, each move would erase what it uncovers at
        // once, and the next move the same place again: the erasing waits for the paint.
        const UINT erase = Parent() && Parent()->aligning_ ? SWP_DEFERERASE : 0;
        SetWindowPos(handle_, nullptr, left, top, RectWidth(r), RectHeight(r), SWP_NOZORDER | SWP_NOACTIVATE | erase);
    } else {
        Realign();
    }
    BoundsChanged();
    RequestAlign();
}

RECT TWinControl::ClientRect() const
{
    RECT r{0, 0, Width(), Height()};
    if (handle_) GetClientRect(handle_, &r);
    return r;
}

void TWinControl::SetClientSize(int width, int height)
{
    // The frame is measured on the window itself: the system may have widened a window
    // created smaller than its minimum, and then the stored bounds are not its size.
    RECT client = ClientRect();
    RECT outer = bounds_;
    if (handle_) GetWindowRect(handle_, &outer);
    SetBounds(Left(), Top(), RectWidth(outer) - RectWidth(client) + width, RectHeight(outer) - RectHeight(client) + height);
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) tab_list_.push_back(w);
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (auto* w = dynamic_cast<TWinControl*>(control); w && handle_) {
        if (w->handle_) {
            ::SetParent(w->handle_, handle_);
        } else {
            w->CreateWnd();
        }
    }
    Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    std::erase(controls_, control);
    // By address: a child being destroyed arrives here as a plain TControl already.
    std::erase_if(tab_list_, [control](const TWinControl* w) { return w == control; });
    // The child's window lives inside ours: it cannot outlive the move.
    if (auto* w = dynamic_cast<TWinControl*>(control)) w->DestroyWnd();
    control->parent_ = nullptr;
    Realign();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* child : tab_list_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

void TWinControl::SetTabStop(bool value)
{
    tab_stop_ = value;
    if (!handle_) return;
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

int TWinControl::TabOrder() const
{
    if (!Parent()) return -1;
    const auto& list = Parent()->tab_list_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetParentBackground(bool value)
{
    if (parent_background_ == value) return;
    parent_background_ = value;
    Invalidate();
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetFocusedControl(this);
    ::SetFocus(Handle());
}

void TWinControl::VisibleChanged()
{
    if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged()
{
    if (handle_) EnableWindow(handle_, Enabled() ? TRUE : FALSE);
}

void TWinControl::FontChanged()
{
    if (handle_) {
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    }
    TControl::FontChanged();
    for (TControl* child : controls_) child->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
    Invalidate();
    TControl::ColorChanged();
    for (TControl* child : controls_) child->ParentColorChanged();
}

std::wstring TWinControl::GetText() const
{
    if (!handle_) return text_;
    int length = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::StoreText(const std::wstring& text)
{
    text_ = text;
    if (handle_) SetWindowTextW(handle_, text.c_str());
}

void TWinControl::Realign()
{
    // A form being built aligns once, when it is loaded, with every control in its place.
    if (aligning_ || controls_.empty() || Loading()) return;
    aligning_ = true;
    RECT rect = ClientRect();
    AlignControls(rect);
    aligning_ = false;
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    Realign();
}

void TWinControl::AlignControls(RECT& rect)
{
    // Same-aligned controls keep their relative order: by position along the aligned edge,
    // then by the order they were added.
    auto ordered = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case TAlign::alTop: return a->Top() < b->Top();
            case TAlign::alBottom: return a->Top() > b->Top();
            case TAlign::alLeft: return a->Left() < b->Left();
            case TAlign::alRight: return a->Left() > b->Left();
            default: return false;
            }
        });
        return list;
    };
    for (TControl* c : ordered(TAlign::alTop)) {
        c->SetBounds(rect.left, rect.top, RectWidth(rect), c->Height());
        rect.top += c->Height();
    }
    for (TControl* c : ordered(TAlign::alBottom)) {
        rect.bottom -= c->Height();
        c->SetBounds(rect.left, rect.bottom, RectWidth(rect), c->Height());
    }
    for (TControl* c : ordered(TAlign::alLeft)) {
        c->SetBounds(rect.left, rect.top, c->Width(), RectHeight(rect));
        rect.left += c->Width();
    }
    for (TControl* c : ordered(TAlign::alRight)) {
        rect.right -= c->Width();
        c->SetBounds(rect.right, rect.top, c->Width(), RectHeight(rect));
    }
    for (TControl* c : ordered(TAlign::alClient)) c->SetBounds(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
}

PropValue TWinControl::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"TabStop")) return BoolProp(tab_stop_);
    if (SameName(name, L"TabOrder")) return static_cast<std::int64_t>(TabOrder());
    if (SameName(name, L"ParentBackground")) return BoolProp(parent_background_);
    if (SameName(name, L"Handle")) return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(handle_));
    return TControl::GetProperty(name);
}

bool TWinControl::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (SameName(name, L"TabStop")) { SetTabStop(*i != 0); return true; }
        if (SameName(name, L"ParentBackground")) { SetParentBackground(*i != 0); return true; }
    }
    return TControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::EraseBackground(HDC dc)
{
    TColor color = Color();
    if (ParentBackground() && Parent()) color = Parent()->Color();
    BrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
    RECT r = ClientRect();
    FillRect(dc, &r, brush.get());
}

void TCustomControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    case WM_PAINT: {
        PaintDC paint(WindowHandle());
        canvas_.SetHandle(paint.get());
        Paint();
        canvas_.SetHandle(nullptr);
        message.Result = 0;
        return;
    }
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        EraseBackground(dc);
        canvas_.SetHandle(dc);
        Paint();
        canvas_.SetHandle(nullptr);
        return;
    }
    default:
        TWinControl::WndProc(message);
    }
}

}  // namespace ui
