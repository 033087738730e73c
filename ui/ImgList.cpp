#include "ui/ImgList.h"

#include "ui/Gdi.h"

namespace ui {

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4))
{
}

TCustomImageList::~TCustomImageList()
{
    if (list_) ImageList_Destroy(list_);
}

int TCustomImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TCustomImageList::AddMasked(const TBitmap& strip, TColor maskColor)
{
    if (!list_ || strip.Empty()) return -1;
    // The system list keeps its own copy; the bitmap must not be selected into a DC meanwhile.
    TBitmap copy;
    copy.Assign(strip);
    copy.SetPixelFormat(TPixelFormat::pf24bit);
    const HBITMAP image = copy.Handle();
    return ImageList_AddMasked(list_, image, ColorToRGB(maskColor));
}

void TCustomImageList::Clear()
{
    if (list_) ImageList_RemoveAll(list_);
}

void TCustomImageList::AdoptHandle(HIMAGELIST list)
{
    if (list_) ImageList_Destroy(list_);
    list_ = list;
    if (list_) ImageList_GetIconSize(list_, &width_, &height_);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (!list_ || index < 0 || index >= Count()) return;
    canvas.Refresh();
    if (enabled) {
        ImageList_Draw(list_, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
        return;
    }
    ImageList_DrawEx(list_, index, canvas.Handle(), x, y, 0, 0, CLR_NONE, GetSysColor(COLOR_BTNFACE), ILD_TRANSPARENT | ILD_BLEND50);
}

}  // namespace ui
