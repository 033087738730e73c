// What the skin component asks of the process-wide skin manager, and how it finds it.
// The manager implements TSkinManagerLink; it installs a factory so that the first
// component that needs it creates it, and announces itself (and its end) with
// SetSkinManager. Without a factory the component works alone: its skin is loaded, and
// requests that need a manager are not made.
#pragma once

#include <windows.h>

namespace skin {

class TSkinData;

// Deferred actions, run on the manager's timer.
enum class TSkinCommand : int { Skin = 1, Unskin = 2, Refresh = 3 };

class TSkinManagerLink {
public:
    virtual ~TSkinManagerLink() = default;

    virtual void RegisterSkin(TSkinData& skin) = 0;
    virtual void UnregisterSkin(TSkinData& skin) = 0;
    // The component the next deferred action is for.
    virtual void SetCurrentSkin(TSkinData& skin) = 0;
    // A later request replaces one that has not run yet.
    virtual void ScheduleCommand(TSkinCommand command, unsigned delayMs) = 0;
    // Switches the attaching of windows on or off.
    virtual void SetEnabled(bool enabled) = 0;
    // The window-creation hook of the calling thread.
    virtual void InstallHook() = 0;
    // Skins one window at once; true when it got a controller.
    virtual bool SkinWindowNow(HWND window) = 0;
    // Every form skinned with this component reloads its skin data.
    virtual void ReloadSkinData(TSkinData& skin) = 0;
    virtual bool Started() const = 0;
    virtual void SetStarted() = 0;
};

using TSkinManagerFactory = TSkinManagerLink* (*)();
void SetSkinManagerFactory(TSkinManagerFactory factory);
// The manager announces itself when made and passes nullptr when it goes.
void SetSkinManager(TSkinManagerLink* manager);
// The manager, or nullptr.
TSkinManagerLink* SkinManager();
// The manager, made through the factory when there is none yet; nullptr without a factory.
TSkinManagerLink* EnsureSkinManager();

}  // namespace skin
