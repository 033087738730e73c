// Which painter each control of a skinned window gets, and attaching it.
//
// Object route (a window with a framework form): the control's class by inheritance and by
// exact name, the skin component's DisableTag, SkinControls, Skin3rd and OnSkinControl, and
// a few published properties decide. Window route (a window without one: message boxes,
// common dialogs): the window class name and style bits decide.
//
// Labels are windows in this framework but, as graphic controls, they are never given a
// painter: their parent's look shows through them.
//
// CreatePainter makes the painters that exist; a kind without one (nullptr) is chosen and
// left to its own painter once that is built.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ui {
class TComponent;
class TControl;
class TWinControl;
}  // namespace ui

namespace skin {

class TSkinControl;
class TSkinData;
class TWinSkinForm;

enum class TPainterKind : std::uint8_t {
    None,
    Button, BitButton, PngBitButton, SpeedButton, PngSpeedButton, MenuButton,
    CheckBox, RadioButton, ObjImageCheck, ObjImageRadio, ObjImageCx,
    Tab, TabButtons, TabControl, Tab31, TabSheet, AdvPage,
    Header, TrackBar, UpDown, MediaPlayer, Box, BoxH, GroupBox, StatusBar, Progress, Sizer,
    ScrollControl, Scrollbar, ScrollbarSingle, ListView, ComboBox, ComboBoxEx, Edit, DateTime,
};

// What the class table (or the Skin3rd kind table) says for one control.
struct TClassification {
    // The row of the class table that applied (0: none, -1: a Skin3rd line, -2: stopped
    // before the table).
    int Row = 0;
    TPainterKind Kind = TPainterKind::None;
    bool OwnsColor = false;
    // Every child gets this painter first (radio and check groups).
    TPainterKind ChildKind = TPainterKind::None;
    // The children are classified before (or, for forms and frames, after) the painter.
    bool ClassifyChildren = false;
    bool OwnedComponents = false;
    // Only the bars of the children are skinned: stand-alone scroll bars and children that
    // show bars get their painters, the control and its other children none.
    bool EmbeddedScrollbars = false;
};

// The decision for a control of a skinned form; nothing is attached. upperClass is the
// control's class name in upper case.
TClassification ChooseForControl(const ui::TControl& control, const TSkinData& skinData);
// The Skin3rd line for the class, when there is one (kind "nil" and unknown kinds choose None).
bool MapThirdParty(const std::wstring& upperClass, const ui::TControl& control, const TSkinData& skinData,
                   TClassification& out);
// The decision for a bare window by its class name and style.
TClassification ChooseForWindow(HWND window, const TSkinData& skinData);

// Creates the painter of a kind that has one (else nullptr), owned by owner.
TSkinControl* CreatePainter(TPainterKind kind, ui::TComponent* owner);

// The classification passes of one form controller.
class TControlClassifier {
public:
    explicit TControlClassifier(TWinSkinForm& form);

    // Every control of the form: owned components first, then the tab order.
    void SkinAllControls();
    void SkinOwnedComponents(ui::TComponent& component);
    void SkinChildren(ui::TWinControl& container);
    void ClassifyControl(ui::TControl& control, ui::TComponent* container);
    bool IsControlSkinned(const ui::TControl& control) const;
    bool IsSkipped(const ui::TControl& control) const;
    void PropagateDisableTag(ui::TControl& control) const;
    // The direct child windows of window, from the top of the z-order.
    void SkinChildWindows(HWND window);
    void SkinWindowByClass(HWND window);
    TSkinControl* FindPainterByWindow(HWND window) const;

private:
    void Attach(const TClassification& choice, ui::TControl& control);
    void AttachToWindow(TPainterKind kind, HWND window);
    void SkinEmbeddedScrollbars(HWND container);

    TWinSkinForm& form_;
    TSkinData& skin_;
};

}  // namespace skin
