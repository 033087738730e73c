#include "skin/controls/SkinManage.h"

#include <algorithm>
#include <utility>

#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopup.h"
#include "ui/Controls.h"
#include "ui/Exception.h"
#include "ui/Forms.h"

namespace skin {

namespace {

TSkinManage* g_manager = nullptr;

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring LowerCase(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
    return text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

TSkinManage* SkinManage() { return g_manager; }

TSkinManage::TSkinManage() : timer_(nullptr)
{
    timer_.SetEnabled(false);
    timer_.SetInterval(100);
    timer_.OnTimer = [this](ui::TObject*) { RunCommand(); };
    g_manager = this;
    SetSkinManager(this);
}

TSkinManage::~TSkinManage()
{
    state_ = TManagerState::Destroying;
    timer_.SetEnabled(false);
    UnskinAll();
    PopupMenuSkins().Clear();
    hook_.reset();
    if (g_manager == this) g_manager = nullptr;
    if (SkinManager() == this) SetSkinManager(nullptr);
}

void TSkinManage::RegisterSkin(TSkinData& skin)
{
    if (std::find(skins_.begin(), skins_.end(), &skin) == skins_.end()) skins_.push_back(&skin);
    if (!main_skin_ && skin.SkinFormtype == TSkinFormType::sfMainform) main_skin_ = &skin;
}

void TSkinManage::UnregisterSkin(TSkinData& skin)
{
    std::erase(skins_, &skin);
    if (main_skin_ == &skin) main_skin_ = nullptr;
    if (pending_skin_ == &skin) pending_skin_ = nullptr;
    // No controller may outlive the skin it paints with.
    for (std::size_t k = forms_.size(); k-- > 0;) {
        if (k >= forms_.size() || forms_[k]->SkinData() != &skin) continue;
        TWinSkinForm* form = forms_[k];
        forms_.erase(forms_.begin() + static_cast<std::ptrdiff_t>(k));
        Unskin(form);
        delete form;
    }
}

void TSkinManage::InstallHook()
{
    if (!hook_) hook_.reset(SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId()));
}

void TSkinManage::ReloadSkinData(TSkinData& skin)
{
    for (TWinSkinForm* form : forms_)
        if (form->SkinData() == &skin) form->SkinReloaded();
}

void TSkinManage::Schedule(int command, unsigned delayMs)
{
    pending_command_ = command;
    if (state_ == TManagerState::Idle) {
        // Nothing is hooked yet: windows are skinned as they are activated.
        if (command == 1) enabled_ = true;
        if (command == 2) enabled_ = false;
        return;
    }
    timer_.SetEnabled(false);
    timer_.SetInterval(delayMs);
    timer_.SetEnabled(true);
}

void TSkinManage::ScheduleReskin(HWND window, unsigned delayMs)
{
    reskin_window_ = window;
    if (!pending_skin_) pending_skin_ = main_skin_;
    Schedule(7, delayMs);
}

void TSkinManage::RunCommand()
{
    timer_.SetEnabled(false);
    TSkinData* skin = pending_skin_;
    if (!skin) return;
    const bool onlyThisForm = skin->SkinFormtype == TSkinFormType::sfOnlyThisForm;
    auto* ownForm = onlyThisForm ? dynamic_cast<ui::TCustomForm*>(skin->Owner()) : nullptr;
    switch (pending_command_) {
    case 1:
        enabled_ = true;
        skinning_all_ = true;
        PurgeDeadForms();
        if (onlyThisForm) {
            if (ownForm) SkinForm(*ownForm);
        } else {
            SkinAllForms();
        }
        skinning_all_ = false;
        break;
    case 2:
        enabled_ = false;
        PurgeDeadForms();
        if (!onlyThisForm) {
            UnskinAll();
            break;
        }
        if (ownForm && ownForm->HandleAllocated()) {
            if (TWinSkinForm* form = FindForm(ownForm->WindowHandle())) {
                std::erase(forms_, form);
                Unskin(form);
                delete form;
            }
        }
        break;
    case 3: {
        PurgeDeadForms();
        const std::vector<TWinSkinForm*> using_skin = [&] {
            std::vector<TWinSkinForm*> list;
            for (TWinSkinForm* form : forms_)
                if (form->SkinData() == skin) list.push_back(form);
            return list;
        }();
        for (TWinSkinForm* form : using_skin) form->SkinReloaded();
        for (TWinSkinForm* form : using_skin) form->Reskin();
        break;
    }
    case 6: PurgeDeadForms(); break;
    case 7:
        if (TWinSkinForm* form = FindForm(reskin_window_)) {
            std::erase(forms_, form);
            Unskin(form);
            delete form;
        }
        PurgeDeadForms();
        SkinWindow(reskin_window_);
        reskin_window_ = nullptr;
        break;
    default: break;
    }
    pending_skin_ = nullptr;
}

void TSkinManage::SkinAllForms()
{
    // The thread's top-level windows, forms and message boxes alike, bottom of the z-order first.
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!IsWindow(*it)) continue;
        if (auto* form = dynamic_cast<ui::TCustomForm*>(ui::FindControl(*it)))
            SkinForm(*form);
        else if (IsWindowVisible(*it) && ClassNameOf(*it) == L"#32770")
            SkinWindow(*it);
    }
}

bool TSkinManage::SkinForm(ui::TCustomForm& form)
{
    if (!form.Visible() || !form.HandleAllocated()) return true;
    if (GetWindowLongPtrW(form.WindowHandle(), GWL_STYLE) & WS_CHILD) return true;
    return SkinWindow(form.WindowHandle());
}

bool TSkinManage::SkinWindow(HWND window)
{
    if (!enabled_ || !IsWindow(window)) return false;
    PurgeDeadForms();
    if (FindForm(window) || SendMessageW(window, SKM_PROBE, 0, 0) == 1) return false;

    ui::TControl* control = FindControlForm(window);
    auto* form = dynamic_cast<ui::TCustomForm*>(control);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const bool mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
    const HWND parent = GetParent(window);
    const bool plainChild = (style & WS_CHILD) && !mdiChild && !(parent && LowerCase(ClassNameOf(parent)) == L"mdiclient");
    if (!skinning_all_ && plainChild) return false;

    const std::wstring className = ClassNameOf(window);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (!form && instance != GetModuleHandleW(nullptr) && className != L"#32770") return false;

    RECT bounds{};
    GetWindowRect(window, &bounds);
    if (IsRectEmpty(&bounds) && !mdiChild) return false;
    if (form && form->Tag() == 99) return false;
    if (className.find(L"TcxPopupEditPopupWindow") != std::wstring::npos ||
        className.find(L"TTERenderWindow") != std::wstring::npos || className == L"TApplication")
        return false;
    if (!ShouldSkin(window, className)) return false;

    TSkinData* skin = ChooseSkin(window);
    if (!skin || skin->SkinEmpty()) return false;

    // A form's controller belongs to the form; any other to this manager.
    auto controller = std::make_unique<TWinSkinForm>(form);
    controller->FHandle = window;
    controller->FClassName = className;
    if (form)
        controller->AttachForm(*skin, *form);
    else
        controller->AttachWindow(*skin);
    if (!controller->Hooked()) return false;
    forms_.push_back(controller.release());
    PostMessageW(window, SKM_ACTIVATE, 0, kActivateParam);
    return true;
}

TWinSkinForm* TSkinManage::FindForm(HWND window) const
{
    for (TWinSkinForm* form : forms_)
        if (form->FHandle == window && form->State() != TFormSkinState::Dead) return form;
    return nullptr;
}

TSkinData* TSkinManage::ChooseSkin(HWND window) const
{
    TSkinData* chosen = nullptr;
    for (TSkinData* skin : skins_) {
        if (skin->SkinFormtype != TSkinFormType::sfOnlyThisForm) continue;
        auto* owner = dynamic_cast<ui::TCustomForm*>(skin->Owner());
        if (owner && owner->HandleAllocated() && owner->WindowHandle() == window) chosen = skin;
    }
    if (chosen) return chosen;
    const std::wstring lower = LowerCase(ClassNameOf(window));
    if (lower == L"tmessageform" || lower == L"#32770") {
        for (TSkinData* skin : skins_)
            if (skin->SkinFormtype == TSkinFormType::sfDialog) chosen = skin;
        if (chosen) return chosen;
    }
    for (TSkinData* skin : skins_)
        if (skin->SkinFormtype == TSkinFormType::sfMainform) chosen = skin;
    if (chosen) return chosen;
    return skins_.empty() ? nullptr : skins_.front();
}

bool TSkinManage::ShouldSkin(HWND window, const std::wstring& className) const
{
    if (!main_skin_) return true;
    bool doSkin = true;
    const std::wstring lower = LowerCase(className);
    if (!main_skin_->Options.Contains(TSkinOption::xoPreview) && lower.find(L"preview") != std::wstring::npos) doSkin = false;
    if (className == L"#32770" && (GetWindowLongPtrW(window, GWL_STYLE) & 0x200)) doSkin = false;
    if (lower == L"tpopupdbtreeview") doSkin = false;
    main_skin_->DecideFormSkin(window, className, doSkin);
    return doSkin;
}

ui::TControl* TSkinManage::FindControlForm(HWND window) const { return ui::FindControl(window); }

void TSkinManage::PurgeDeadForms()
{
    if (state_ == TManagerState::Destroying) return;
    for (std::size_t k = forms_.size(); k-- > 0;) {
        if (k >= forms_.size() || forms_[k]->State() != TFormSkinState::Dead) continue;
        TWinSkinForm* form = forms_[k];
        forms_.erase(forms_.begin() + static_cast<std::ptrdiff_t>(k));
        delete form;
    }
}

void TSkinManage::UnskinAll()
{
    enabled_ = false;
    while (!forms_.empty()) {
        TWinSkinForm* form = forms_.back();
        forms_.pop_back();
        Unskin(form);
        delete form;
    }
}

void TSkinManage::Unskin(TWinSkinForm* form)
{
    const HWND window = form->FHandle;
    form->Unskin();
    if (IsWindow(window)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void TSkinManage::FormGone(TWinSkinForm* form) { std::erase(forms_, form); }

void TSkinManage::SetHooked()
{
    if (state_ == TManagerState::Idle) state_ = TManagerState::Hooked;
}

void TSkinManage::SkinPopup(HWND window)
{
    if (!enabled_ || IsPopupSkinned(window) || SendMessageW(window, SKM_PROBE, 0, 0) == 1) return;
    TSkinData* skin = ChooseSkin(window);
    if (!skin || skin->SkinEmpty() || !PopupKindSkinned(*skin, static_cast<int>(popup_kind_))) return;
    PopupMenuSkins().Skin(window, *skin);
}

void TSkinManage::ReleasePopup(HWND window)
{
    if (PopupMenuSkins().Release(window) && PopupMenuSkins().Empty()) popup_kind_ = TPopupKind::Ordinary;
}

bool TSkinManage::IsPopupSkinned(HWND window) const { return PopupMenuSkins().IsSkinned(window); }

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && g_manager) {
        try {
            if (g_manager->CbtEvent(code, wParam, lParam)) return 1;
        } catch (const std::exception& failure) {
            ui::HandleException(failure);
        } catch (...) {
            ui::HandleException(ui::Exception(L"Skinning a window failed"));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TSkinManage::CbtEvent(int code, WPARAM wParam, LPARAM lParam)
{
    if (state_ == TManagerState::Destroying) return false;
    const auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!(create.style & WS_CHILD) && ClassNameOf(window) == L"#32768") SkinPopup(window);
        if (create.dwExStyle & WS_EX_MDICHILD) SkinWindow(window);
        break;
    }
    case HCBT_DESTROYWND: ReleasePopup(window); break;
    case HCBT_ACTIVATE:
        SetHooked();
        SkinWindow(window);
        break;
    case HCBT_SYSCOMMAND:
        // Alt + letter, F10 or Alt in a control: the system would look for a menu bar of its
        // own, and the window has none any more. The skinned bar answers instead.
        if ((wParam & 0xFFF0) == SC_KEYMENU && static_cast<wchar_t>(lParam) != L' ') {
            HWND focus = GetFocus();
            HWND root = GetAncestor(focus ? focus : GetActiveWindow(), GA_ROOT);
            TWinSkinForm* form = root ? FindForm(root) : nullptr;
            return form && form->MenuBar() && form->KeyboardMenu(static_cast<wchar_t>(lParam));
        }
        break;
    default: break;
    }
    return false;
}

TSkinManagerInstallation::TSkinManagerInstallation()
{
    SetSkinManagerFactory([]() -> TSkinManagerLink* { return new TSkinManage(); });
}

TSkinManagerInstallation::~TSkinManagerInstallation()
{
    delete g_manager;
    SetSkinManagerFactory(nullptr);
}

}  // namespace skin
