// TTimer: a component that calls OnTimer every Interval milliseconds on the GUI thread,
// through the framework's hidden utility window. Failures escaping OnTimer go to the
// general error report and the timer carries on.
#pragma once

#include <windows.h>

#include "ui/Classes.h"
#include "ui/Component.h"

namespace ui {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    std::wstring_view ClassName() const override { return L"TTimer"; }

    // Milliseconds; 0 stops the ticks. Changing it starts a new period.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    // Enabling a running timer keeps its period: the next tick comes when it was due.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // May disable the timer or delete it. A tick that comes while OnTimer is still running
    // (in a message box, say) is dropped rather than nested.
    TNotifyEvent OnTimer;

    void Loaded() override;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    static void Dispatch(UINT_PTR id);
    void Update();

    UINT_PTR id_;
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    bool in_tick_ = false;
};

}  // namespace ui
