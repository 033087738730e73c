// The painters of the text-entry controls. The controls keep drawing their own text; the
// painters replace what the system draws round it (EditSkins.h draws it):
//
//   TSkinEdit      the border of edits (and pickers in up-down mode); adopts a spin child
//   TSkinComBox    border, drop-down button and arrow of combo boxes; the list's bar goes to
//                  TComboxScrollBar (drop-down) or TSkinScrollbarH (simple combo box)
//   TSkinUpDown    both halves of spin buttons
//   TSkinDateTime  the border of date pickers, with a TArrowButton over the native arrow
//
// The border is drawn after the control painted and after the system drew its frame, so no
// paint of either leaves the system's border showing.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/EditSkins.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinEdit"; }
    void Restore() override;
    void ActiveChanged() override { RedrawFrame(); }
    // Whether a spin child has been given its painter.
    bool AdoptedUpDown() const { return adopted_; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    void AdoptUpDown();
    bool adopted_ = false;
};

class TSkinUpDown : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinUpDown"; }
    // Inside the edit it belongs to: white behind, kept 3 pixels inside the edit's border.
    void SetBuddy(bool buddy) { buddy_ = buddy; }
    bool Buddy() const { return buddy_; }
    // Drawn as two halves side by side whatever the window's style says.
    void SetHorizontal(bool horizontal) { horizontal_ = horizontal; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    int HalfUnderCursor() const;
    bool buddy_ = false;
    bool horizontal_ = false;
    int hot_half_ = -1;
};

class TSkinComBox : public TSkinControl {
public:
    // extended: a combo box of the extended kind (its first child is the button area).
    explicit TSkinComBox(ui::TComponent* owner, bool extended = false);
    ~TSkinComBox() override;
    std::wstring_view ClassName() const override { return L"TSkinComBox"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void Restore() override;
    void ActiveChanged() override { RedrawFrame(); }
    // The button's rectangle (window coordinates) at the last paint.
    RECT ButtonRect() const { return button_; }
    // The painter of the list's bar, when there is one.
    TSkinControl* ListPainter() const { return list_painter_; }

protected:
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    void SetMouse(unsigned bits, bool on);
    bool extended_ = false;
    RECT button_{};
    // Owned by this painter (freed with it), so it never outlives the combo box's painter.
    TSkinControl* list_painter_ = nullptr;
};

class TSkinDateTime : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinDateTime"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void Restore() override;
    void ActiveChanged() override;
    TArrowButton* Arrow() const { return arrow_.get(); }

protected:
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    std::unique_ptr<TArrowButton> arrow_;
};

}  // namespace skin
