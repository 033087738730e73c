// The gallery window: one live form holding a control of every kind the skin engine paints,
// in the states a skin draws differently, each with a hint, and a skin component of its own.
// skintool's gallery command shows it to skin authors; the whole-window tests skin it on
// and off through the skin manager.
// Windows only.
#pragma once

#include <string>
#include <vector>

#include "ui/Forms.h"

namespace skin {
class TSkinData;
}
namespace ui {
class TPopupMenu;
class TWinControl;
}  // namespace ui

namespace gallery {

// The page control whose tabs carry close boxes has this Tag.
constexpr int kCloseBoxTag = 7777;

class TGalleryForm : public ui::TForm {
public:
    // package: a skin package file; empty takes the default skin from the program's
    // "SKINSTREAM" resource. Throws when neither gives a skin.
    TGalleryForm(ui::TComponent* owner, const std::wstring& package);
    std::wstring_view ClassName() const override { return L"TGalleryForm"; }

    skin::TSkinData* Skin() const { return skin_; }
    ui::TPopupMenu* Popup() const { return popup_; }
    // Every windowed control the gallery put on the form, containers included.
    const std::vector<ui::TWinControl*>& Shown() const { return shown_; }

private:
    template <class Control>
    Control* Put(Control* control, ui::TWinControl* parent, int x, int y, int w, int h, const std::wstring& hint);

    void BuildMenus();
    void BuildButtons();
    void BuildEdits();
    void BuildLists();
    void BuildContainers();
    void BuildBars();
    void BuildSkin(const std::wstring& package);

    skin::TSkinData* skin_ = nullptr;
    ui::TPopupMenu* popup_ = nullptr;
    std::vector<ui::TWinControl*> shown_;
};

}  // namespace gallery
