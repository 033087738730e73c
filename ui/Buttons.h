// TBitBtn: a push button that draws itself, with an optional glyph beside its caption.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/StdCtrls.h"

namespace ui {

enum class TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    std::wstring_view ClassName() const override { return L"TBitBtn"; }

    // The glyph: its bottom-left pixel's colour is drawn transparent.
    TBitmap* Glyph() { return glyph_.get(); }
    void SetGlyph(const TBitmap& bitmap);
    int NumGlyphs() const { return num_glyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return spacing_; }
    int Margin() const { return margin_; }

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void DrawItem(const DRAWITEMSTRUCT& item);

private:
    std::unique_ptr<TBitmap> glyph_;
    int num_glyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
};

}  // namespace ui
