// TSkinManage: the process's one skin manager. It keeps the registered skin components and
// the form controllers, watches window creation and activation on the GUI thread (a
// computer-based-training hook), decides which top-level windows get a TWinSkinForm and
// with which skin, and carries out skin switching on a one-shot timer so that the work runs
// outside the caller's own message handling.
//
// Commands: 1 skin every form, 2 unskin everything, 3 re-apply the skin, 6 free the
// controllers of windows that are gone, 7 re-skin one window.
//
// Ownership: a controller of a framework form belongs to the form, any other to the
// manager. Either way it leaves the manager's list in its destructor (FormGone).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/Gdi.h"
#include "ui/Timers.h"

namespace ui {
class TControl;
class TCustomForm;
}  // namespace ui

namespace skin {

class TWinSkinForm;

enum class TManagerState : std::uint8_t { Idle = 0, Hooked = 1, Destroying = 4 };
// What kind of popup menu opens next.
enum class TPopupKind : std::uint8_t { Ordinary = 0, MenuBarDropDown = 1, SystemMenu = 2 };

class TSkinManage : public TSkinManagerLink {
public:
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // TSkinManagerLink
    void RegisterSkin(TSkinData& skin) override;
    void UnregisterSkin(TSkinData& skin) override;
    void SetCurrentSkin(TSkinData& skin) override { pending_skin_ = &skin; }
    void ScheduleCommand(TSkinCommand command, unsigned delayMs) override { Schedule(static_cast<int>(command), delayMs); }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void InstallHook() override;
    bool SkinWindowNow(HWND window) override { return SkinWindow(window); }
    void ReloadSkinData(TSkinData& skin) override;
    bool Started() const override { return started_; }
    void SetStarted() override { started_ = true; }

    void Schedule(int command, unsigned delayMs);
    // Re-skins one window on the timer (command 7).
    void ScheduleReskin(HWND window, unsigned delayMs);
    bool SkinForm(ui::TCustomForm& form);
    bool SkinWindow(HWND window);
    TWinSkinForm* FindForm(HWND window) const;
    TSkinData* ChooseSkin(HWND window) const;
    bool ShouldSkin(HWND window, const std::wstring& className) const;
    ui::TControl* FindControlForm(HWND window) const;
    void PurgeDeadForms();
    void UnskinAll();

    // Popup menus: the kind of the next popup and the bookkeeping of skinned menu windows.
    void SetPopupKind(TPopupKind kind) { popup_kind_ = kind; }
    TPopupKind PopupKind() const { return popup_kind_; }
    void SkinPopup(HWND menuWindow);
    void ReleasePopup(HWND menuWindow);
    bool IsPopupSkinned(HWND menuWindow) const;

    // A controller is being freed.
    void FormGone(TWinSkinForm* form);
    void SetHooked();

    // Whether the active MDI child is maximised (told by the MDI frames' controllers).
    bool MDIMaximized() const { return mdi_maximized_; }
    bool Enabled() const { return enabled_; }
    TManagerState State() const { return state_; }
    const std::vector<TWinSkinForm*>& Forms() const { return forms_; }
    const std::vector<TSkinData*>& Skins() const { return skins_; }
    TSkinData* MainSkin() const { return main_skin_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    // True to stop the system's own handling.
    bool CbtEvent(int code, WPARAM wParam, LPARAM lParam);
    void RunCommand();
    void SkinAllForms();
    void Unskin(TWinSkinForm* form);
    void Dispose(TWinSkinForm* form);
    bool Owns(const TWinSkinForm* form) const;

    ui::TTimer timer_;
    std::vector<TWinSkinForm*> forms_;
    std::vector<TSkinData*> skins_;
    TSkinData* main_skin_ = nullptr;
    TSkinData* pending_skin_ = nullptr;
    int pending_command_ = 0;
    HWND reskin_window_ = nullptr;
    bool enabled_ = false;
    bool skinning_all_ = false;
    bool started_ = false;
    bool mdi_maximized_ = false;
    TManagerState state_ = TManagerState::Idle;
    TPopupKind popup_kind_ = TPopupKind::Ordinary;
    ui::HookHandle hook_;
};

// The manager, when the process has one.
TSkinManage* SkinManage();

// Makes the skin components of this process find the manager: installs the factory that
// creates it on first use. The program's entry calls it before the main window is built;
// the returned object destroys the manager (unskinning every window) when it goes.
class TSkinManagerInstallation {
public:
    TSkinManagerInstallation();
    ~TSkinManagerInstallation();
    TSkinManagerInstallation(const TSkinManagerInstallation&) = delete;
    TSkinManagerInstallation& operator=(const TSkinManagerInstallation&) = delete;
};

}  // namespace skin
