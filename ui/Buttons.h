// TBitBtn: a push button that draws itself, with an optional glyph beside its caption.
// TSpeedButton: a tool button that never takes the focus, flat or raised, that can stay down.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/StdCtrls.h"

namespace ui {

enum class TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
inline constexpr std::wstring_view kButtonLayoutIdents[] = {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"};
inline constexpr TEnumType TButtonLayoutType{L"TButtonLayout", kButtonLayoutIdents};

// The glyph of a bit or speed button and its placement, with their published properties
// (Glyph, NumGlyphs, Layout, Spacing, Margin).
struct TButtonGlyph {
    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();
    int Count = 1;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    int Spacing = 4;
    int Margin = -1;

    void SetCount(int value);
    // monostate for a name that is not one of them.
    PropValue GetProperty(std::wstring_view name) const;
    // False for a name that is not one of them or a value that does not fit.
    bool SetProperty(std::wstring_view name, const PropValue& value);
};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    std::wstring_view ClassName() const override { return L"TBitBtn"; }

    // The glyph: its bottom-left pixel's colour is drawn transparent.
    TBitmap* Glyph() { return glyph_.Bitmap.get(); }
    void SetGlyph(const TBitmap& bitmap);
    int NumGlyphs() const { return glyph_.Count; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return glyph_.Layout; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return glyph_.Spacing; }
    int Margin() const { return glyph_.Margin; }

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void DrawItem(const DRAWITEMSTRUCT& item);

private:
    TButtonGlyph glyph_;
};

// Glyph cells: 1 up, 2 disabled, 3 pressed, 4 down. A button of a group (GroupIndex > 0)
// stays down when clicked and comes up when another of the group goes down.
class TSpeedButton : public TCustomControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    std::wstring_view ClassName() const override { return L"TSpeedButton"; }

    TBitmap* Glyph() { return glyph_.Bitmap.get(); }
    void SetGlyph(const TBitmap& bitmap);
    int NumGlyphs() const { return glyph_.Count; }
    void SetNumGlyphs(int value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return group_index_; }
    void SetGroupIndex(int value) { group_index_ = value; }
    bool AllowAllUp() const { return allow_all_up_; }
    void SetAllowAllUp(bool value) { allow_all_up_ = value; }
    void Click() override;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    TButtonGlyph glyph_;
    bool flat_ = false;
    bool down_ = false;
    int group_index_ = 0;
    bool allow_all_up_ = false;
    bool pressed_ = false;
    bool hot_ = false;
};

}  // namespace ui
