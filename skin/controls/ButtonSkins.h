// The button painters: every push button is drawn whole from the skin's "Buttons" element
// into an off-screen bitmap and copied to the window in one transfer.
//
//   TSkinButton       plain push buttons (framework buttons and bare "button" windows)
//   TSkinBitButton    + a glyph beside the caption, placed by Layout, Margin and Spacing
//   TSkinSpeedButton  tool buttons that can stay down and may be flat
//   TSkinMenuButton   + a drop-down arrow after the caption
//
// Frames: 3 disabled, 2 pressed, 4 hot, 5 focused or default, else 1 (PainterRules.h).
// A press is not passed to the button: the painter shows it and clicks on the release,
// and only when the release comes while the button still counts as pressed.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "skin/controls/SkinControl.h"
#include "ui/Graphics.h"

namespace skin {

// The caption centred (alignment 1) or spread (0 left, 2 right) in bounds on dc, whose font
// and text colour are set; the first "||" breaks the line. A focus rectangle follows the
// text when focused.
void DrawButtonCaption(HDC dc, const RECT& bounds, UINT alignment, const std::wstring& text, UINT extraFlags,
                       bool focusRect);
// Cell `cell` (from 1) of a glyph of numGlyphs cells at (x, y), its bottom-left colour left
// out; cell 2 of a one-cell glyph is an embossed copy in the system's highlight and shadow.
void DrawGlyphCell(HDC dc, POINT at, int numGlyphs, int cell, const ui::TBitmap& glyph);

class TSkinButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinButton"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void SkinChanged() override;
    bool Transparent() const { return transparent_; }
    // The frame the button shows now.
    virtual int CurrentFrame();

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

    const TDataSkinButton* ButtonsElement() const;
    // Sizes the buffer to rect and fills it with the parent's image or the skin's face.
    HDC PrepareBuffer(const RECT& rect);
    void DrawFrame(int frame);
    // A glyph cell to draw on the face, when Bitmap is set.
    struct TFaceGlyph {
        const ui::TBitmap* Bitmap = nullptr;
        int Count = 1;
        int Cell = 1;
        POINT At{};
    };
    // The frame and the glyph cell on the prepared buffer. An opaque button's face is kept per
    // frame: the skin's nine-grid and the glyph's transparency are most of a paint and change
    // only with the size, the skin's pictures and colour, and the glyph and its place.
    void DrawFace(int frame, const TFaceGlyph& glyph);
    // Font and text colour of the caption in frame; firstFrameOnly: the element's normal
    // colour applies in frame 1 only.
    void SetCaptionColors(HDC dc, int frame, bool firstFrameOnly);
    HFONT CaptionFont() const;
    void CopyBuffer(HDC dc, const RECT& rect);
    bool FocusRectWanted() const;
    void ReadState();
    void ClickNow();

    ui::TBitmap buffer_;
    struct TFaceKey {
        unsigned Skin = 0;
        int Width = 0, Height = 0;
        ui::TColor Face = 0;
        // The glyph's pixels, so that drawing on its canvas shows without a new glyph.
        std::uint64_t Glyph = 0;
        int GlyphX = 0, GlyphY = 0, Cell = 0, Count = 0;
        bool operator==(const TFaceKey&) const = default;
    };
    struct TFace {
        TFaceKey Key;
        ui::TBitmap Picture;
        bool Valid = false;
    };
    std::array<TFace, 5> faces_;
    bool transparent_ = false;
    bool multi_line_ = false;
};

class TSkinBitButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    std::wstring_view ClassName() const override { return L"TSkinBitButton"; }
    // A graphic property drawn whole in every state instead of "Glyph" ("PngImage").
    std::wstring GlyphPropName;

protected:
    void Paint(HDC dc, const RECT& rect) override;
};

class TSkinSpeedButton : public TSkinBitButton {
public:
    using TSkinBitButton::TSkinBitButton;
    std::wstring_view ClassName() const override { return L"TSkinSpeedButton"; }
    int CurrentFrame() override;

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    bool painting_ = false;
};

class TSkinMenuButton : public TSkinButton {
public:
    using TSkinButton::TSkinButton;
    std::wstring_view ClassName() const override { return L"TSkinMenuButton"; }
    int CurrentFrame() override;

protected:
    void Paint(HDC dc, const RECT& rect) override;
};

}  // namespace skin
