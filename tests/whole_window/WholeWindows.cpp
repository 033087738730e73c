#include "whole_window/WholeWindows.h"

#include <algorithm>
#include <sstream>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "support/MessagePump.h"
#include "ui/Forms.h"

namespace wholewindow {

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> windows;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring Describe(HWND window)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    std::wstring text = className;
    if (const ui::TControl* control = ui::FindControl(window)) text += L" " + std::wstring(control->ClassName());
    text += L" \"" + skin::GetWindowTextWide(window).substr(0, 12) + L"\"";
    return text;
}

std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

void RepaintWhole(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool Probed(HWND window) { return SendMessageW(window, skin::SKM_PROBE, 0, 0) == 1; }

bool FormReady(HWND window)
{
    const skin::TWinSkinForm* controller = skin::SkinManage() ? skin::SkinManage()->FindForm(window) : nullptr;
    return controller && controller->State() == skin::TFormSkinState::Ready;
}

bool SwitchSkin(ui::TCustomForm& form, skin::TSkinData& skin, bool on)
{
    skin::TSkinManage& manager = *skin::SkinManage();
    manager.SetCurrentSkin(skin);
    manager.Schedule(on ? 1 : 2, 1);
    const HWND window = form.Handle();
    return testing_support::PumpUntil([&] { return on ? FormReady(window) : manager.FindForm(window) == nullptr; },
                               std::chrono::seconds(10));
}

bool FrameState::operator==(const FrameState& other) const
{
    return Procedure == other.Procedure && Hooks == other.Hooks && Style == other.Style && ExStyle == other.ExStyle &&
           Window.cx == other.Window.cx && Window.cy == other.Window.cy && Client.cx == other.Client.cx &&
           Client.cy == other.Client.cy && Region == other.Region && Menu == other.Menu &&
           MenuItems == other.MenuItems &&
           Probed == other.Probed;
}

namespace {

std::vector<MenuItemState> MenuItems(HMENU menu)
{
    std::vector<MenuItemState> items;
    for (int k = 0; menu && k < GetMenuItemCount(menu); ++k) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 127;
        GetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info);
        items.push_back({info.fType, info.fState, text});
    }
    return items;
}

FrameState FrameOf(ui::TCustomForm& form)
{
    const HWND window = form.Handle();
    RECT bounds{}, client{};
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    const ui::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const HMENU menu = GetMenu(window);
    return {GetWindowLongPtrW(window, GWLP_WNDPROC),
            form.WindowHookCount(),
            GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_VISIBLE),
            GetWindowLongPtrW(window, GWL_EXSTYLE),
            {bounds.right - bounds.left, bounds.bottom - bounds.top},
            {client.right, client.bottom},
            GetWindowRgn(window, region.get()) != ERROR,
            menu,
            MenuItems(menu),
            Probed(window)};
}

std::string Describe(const FrameState& s)
{
    std::ostringstream out;
    out << "procedure " << std::hex << s.Procedure << ", style " << s.Style << ", ex style " << s.ExStyle << std::dec
        << ", hooks " << s.Hooks << ", window " << s.Window.cx << "x" << s.Window.cy << ", client " << s.Client.cx
        << "x"
        << s.Client.cy << ", region " << s.Region << ", menu " << s.Menu << " with " << s.MenuItems.size()
        << " items, probe " << s.Probed;
    for (const MenuItemState& item : s.MenuItems)
        out << " [" << Narrow(item.Text) << " type " << std::hex << item.Type << " state " << item.State << std::dec
            << "]";
    return out.str();
}

}  // namespace

std::vector<ui::TWinControl*> FrameworkControls(ui::TWinControl& parent)
{
    std::vector<ui::TWinControl*> controls;
    for (int k = 0; k < parent.ControlCount(); ++k)
        if (auto* windowed = dynamic_cast<ui::TWinControl*>(parent.Controls(k)); windowed && windowed->Owner()) {
            controls.push_back(windowed);
            for (ui::TWinControl* child : FrameworkControls(*windowed)) controls.push_back(child);
        }
    return controls;
}

WindowState Snapshot(ui::TCustomForm& form)
{
    WindowState state{FrameOf(form), {}};
    for (ui::TWinControl* control : FrameworkControls(form)) {
        const HWND window = control->Handle();
        int painters = 0;
        for (int k = 0; k < control->ComponentCount(); ++k)
            painters += dynamic_cast<skin::TSkinControl*>(control->Components(k)) != nullptr;
        state.Controls.push_back({control, window, GetWindowLongPtrW(window, GWLP_WNDPROC), control->WindowHookCount(),
                                  control->Color(), control->ParentColor(), control->ParentBackground(), Probed(window),
                                  painters});
    }
    return state;
}

std::string Differences(const WindowState& expected, const WindowState& actual)
{
    std::ostringstream out;
    if (!(expected.Frame == actual.Frame))
        out << "frame:\n  " << Describe(expected.Frame) << "\n  " << Describe(actual.Frame) << "\n";
    const std::vector<ControlState>& a = expected.Controls;
    const std::vector<ControlState>& b = actual.Controls;
    if (a.size() != b.size()) out << "controls " << a.size() << " -> " << b.size() << "\n";
    for (std::size_t k = 0; k < std::min(a.size(), b.size()); ++k) {
        if (a[k] == b[k]) continue;
        out << Narrow(Describe(a[k].Window)) << (a[k].Window == b[k].Window ? "" : " (new window)") << ": procedure "
            << (a[k].Procedure == b[k].Procedure ? "same" : "changed") << ", hooks " << a[k].Hooks << " -> "
            << b[k].Hooks << ", colour " << std::hex << a[k].Color << " -> " << b[k].Color << std::dec
            << ", parent colour " << a[k].ParentColor << " -> " << b[k].ParentColor << ", parent background "
            << a[k].ParentBackground << " -> " << b[k].ParentBackground << ", probe " << a[k].Probed << " -> "
            << b[k].Probed << ", painters " << a[k].Painters << " -> " << b[k].Painters << "\n";
    }
    return out.str();
}

}  // namespace wholewindow
