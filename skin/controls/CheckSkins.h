// Check boxes and radio buttons drawn from the CheckButton and RadioButton strips of the
// skin's "Buttons" element.
//
//   TSkinCheckBox, TSkinRadioButton  draw box and caption themselves (mode 1) when the skin
//                                    has the strip and they serve a framework control;
//                                    otherwise (mode 0) they draw the box over what the
//                                    control painted.
//   TSkinObjImage                    draws nothing: hands a rearranged strip to a control
//                                    that shows glyphs of its own ("CustomGlyphs",
//                                    "Properties.Glyph").
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/PainterRules.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// What check boxes and radio buttons share: the message handling and transparency.
class TSkinCheckControl : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool Transparent() const { return transparent_; }
    // The strip cell the box shows now.
    virtual int CurrentCell() const = 0;

    // A skin strip of Count cells side by side.
    struct TStrip {
        const ui::TBitmap* Image = nullptr;
        int Count = 1;
    };

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    // The box cell from strip, then (mode 1) the background and caption; radio buttons put
    // a right-hand box one pixel further in. Without the strip the painter falls back to mode 0.
    void PaintCheck(HDC dc, const RECT& rect, const TStrip& strip, bool radio);

    bool transparent_ = false;
};

class TSkinCheckBox : public TSkinCheckControl {
public:
    using TSkinCheckControl::TSkinCheckControl;
    std::wstring_view ClassName() const override { return L"TSkinCheckBox"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    int CurrentCell() const override;

protected:
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    // 0 unknown, else the last check state sent to the window plus one.
    int data_state_ = 0;
};

class TSkinRadioButton : public TSkinCheckControl {
public:
    using TSkinCheckControl::TSkinCheckControl;
    std::wstring_view ClassName() const override { return L"TSkinRadioButton"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    int CurrentCell() const override;

protected:
    void Paint(HDC dc, const RECT& rect) override;
};

// Image kinds: 1 a check box with "CustomGlyphs" (9 cells), 2 a radio button with
// "CustomGlyphs" (6 cells), 3 a check box whose glyph is "Properties.Glyph" (6 cells).
class TSkinObjImage : public TSkinControl {
public:
    TSkinObjImage(ui::TComponent* owner, int imageKind) : TSkinControl(owner), kind_(imageKind) {}
    ~TSkinObjImage() override;
    std::wstring_view ClassName() const override { return L"TSkinObjImage"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void Restore() override;
    void SkinChanged() override;

private:
    void HandOver();

    int kind_;
};

// The strip a control of image kind `kind` takes, cut from a skin strip of cellCount cells;
// null for an empty source. Cells the source has nothing for stay magenta (transparent).
std::unique_ptr<ui::TBitmap> BuildGlyphStrip(const ui::TBitmap& source, int cellCount, int kind);

}  // namespace skin
