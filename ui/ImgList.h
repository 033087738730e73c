// Image lists: equal-sized images kept in one system image list, drawn by index, for menu
// items and other owners that show small pictures.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/Component.h"
#include "ui/Graphics.h"

namespace ui {

class TCustomImageList : public TComponent {
public:
    TCustomImageList(TComponent* owner, int width = 16, int height = 16);
    ~TCustomImageList() override;
    std::wstring_view ClassName() const override { return L"TCustomImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    HIMAGELIST Handle() const { return list_; }

    // Adds the images side by side in a strip (a strip wider than Width holds several); the
    // pixels of the mask colour stay transparent. Returns the index of the first one.
    int AddMasked(const TBitmap& strip, TColor maskColor);
    void Clear();
    // Takes over a system image list (its images and size) as this list's own.
    void AdoptHandle(HIMAGELIST list);
    // Draws one image with its top-left corner at (x, y); disabled images are dimmed.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    int width_;
    int height_;
    HIMAGELIST list_ = nullptr;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    std::wstring_view ClassName() const override { return L"TImageList"; }
};

}  // namespace ui
