// TSkinControl: the base of every control painter. A painter serves one control window and
// sits in the painter list of the window's form controller (TWinSkinForm::AddPainter).
// It has exactly one owner: the framework control it serves, or the form controller for a
// bare window. Whoever frees it, it leaves the controller's list in its destructor, so the
// list never holds a freed painter.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/Component.h"

namespace skin {

class TWinSkinForm;
class TSkinData;

enum class TPainterState : std::uint8_t { Attached = 1, Dead = 6 };

class TSkinControl : public ui::TComponent {
public:
    explicit TSkinControl(ui::TComponent* owner);
    ~TSkinControl() override;
    std::wstring_view ClassName() const override { return L"TSkinControl"; }

    // Gives back what attaching changed on the control (colour, parent background).
    virtual void Restore() {}
    // The skin changed: re-apply colours and repaint.
    virtual void SkinChanged() {}

    HWND Window() const { return window_; }
    bool Dead() const { return state_ == TPainterState::Dead; }
    TWinSkinForm* Form() const { return form_; }
    // Enters a controller's list (leaving the previous one); nullptr leaves it.
    void SetForm(TWinSkinForm* form);

protected:
    HWND window_ = nullptr;
    TSkinData* skin_data_ = nullptr;
    TPainterState state_ = TPainterState::Attached;

private:
    TWinSkinForm* form_ = nullptr;
};

}  // namespace skin
