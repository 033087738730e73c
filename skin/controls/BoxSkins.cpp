#include "skin/controls/BoxSkins.h"

#include <algorithm>
#include <memory>

#include "skin/data/SkinImage.h"

namespace skin {

namespace {

void Fill(HDC dc, const RECT& rect, ui::TColor colour)
{
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

bool Usable(const TDataSkinObject* element) { return element && !element->Image.Empty(); }

// Turns a rectangle of the control's strip into the buffer's horizontal layout.
RECT IntoStrip(const RECT& tab, const RECT& strip, TTabPosition position)
{
    const int depth = position >= tpLeft ? strip.right - strip.left : strip.bottom - strip.top;
    const int along = position >= tpLeft ? strip.bottom - strip.top : strip.right - strip.left;
    RECT r = tab;
    OffsetRect(&r, -strip.left, -strip.top);
    switch (position) {
    case tpTop: OffsetRect(&r, 0, 1); return r;
    case tpBottom: return r;
    // Turned a quarter left afterwards: the buffer's x runs up the strip, its y across it.
    case tpLeft: return RECT{along - r.bottom, r.left, along - r.top, r.right};
    default: return RECT{r.top, depth - r.right, r.bottom, depth - r.left};
    }
}

}  // namespace

void PaintGroupBox(HDC dc, const RECT& rect, const std::wstring& caption, HFONT font, ui::TColor textColour,
                   const TSkinElements& skin, bool withControl, bool rightToLeft)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const ui::ScopedSaveDC saved(dc);
    if (withControl) Fill(dc, rect, skin.Color(csButtonFace));
    if (font) SelectObject(dc, font);
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int y = rect.top + zero.cy / 2 - 1;
    if (!withControl) {
        RECT frame{rect.left, y, rect.right, rect.bottom};
        FrameRect(dc, &frame, skin.FaceBrush.get());
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, skin.FaceBrush.get());
    }
    const ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToColorRef(skin.Color(csButtonShadow))));
    SelectObject(dc, pen.get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, rect.left + 1, y, rect.left + width - 1, rect.top + height - 1, 5, 5);
    if (caption.empty()) return;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ui::ColorToColorRef(skin.Color(csButtonFace)));
    SetTextColor(dc, ui::ColorToColorRef(textColour));
    RECT text = rect;
    UINT flags = DT_EXPANDTABS | DT_SINGLELINE;
    if (rightToLeft) {
        text.right -= 8;
        flags |= DT_RIGHT | DT_RTLREADING;
    } else {
        text.left += 8;
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, flags);
}

void DrawTabContent(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                    HIMAGELIST images, bool enabled)
{
    const int width = rect.right - rect.left;
    int imageWidth = 0, imageHeight = 0;
    if (images && imageIndex >= 0) {
        ImageList_GetIconSize(images, &imageWidth, &imageHeight);
        if (imageWidth >= width) imageWidth = imageHeight = 0;
    }
    const UINT textFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_EXPANDTABS;
    RECT measure{0, 0, width + imageWidth + 2, rect.bottom - rect.top};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, textFlags | DT_CALCRECT);
    const int textWidth = measure.right - measure.left;
    int offset = 3;
    if (alignment == 1) offset = (width - textWidth - imageWidth) / 2;
    if (alignment == 2) offset = width - textWidth - imageWidth - 2;
    offset = std::max(offset, 1);
    if (imageWidth > 0)
        ImageList_Draw(images, imageIndex, dc, rect.left + offset, (rect.top + rect.bottom - imageHeight) / 2,
                       ILD_TRANSPARENT);
    RECT area{rect.left + offset + imageWidth + (imageWidth > 0 ? 2 : 0), rect.top, rect.right, rect.bottom};
    const int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF previous = CLR_INVALID;
    if (!enabled) previous = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, textFlags);
    if (previous != CLR_INVALID) SetTextColor(dc, previous);
    SetBkMode(dc, mode);
}

TTabPosition TabPositionOf(LONG_PTR style)
{
    const bool bottom = style & TCS_BOTTOM, vertical = style & TCS_VERTICAL;
    if (vertical) return bottom ? tpRight : tpLeft;
    return bottom ? tpBottom : tpTop;
}

bool PaintTabStrip(HDC dc, const TSkinElements& skin, const std::vector<TTabItem>& tabs, const TTabStripLook& look,
                   std::vector<RECT>* closeBoxes)
{
    if (!Usable(skin.Tabs.get())) return false;
    if (closeBoxes) closeBoxes->clear();
    const TDataSkinBorder& element = *skin.Tabs;
    const TTabPosition position = look.Position;
    // The display area, grown by 4 and moved a pixel toward the tabs.
    RECT display = look.Display;
    InflateRect(&display, 4, 4);
    switch (position) {
    case tpTop: display.top += 1; break;
    case tpBottom: display.bottom -= 1; break;
    case tpLeft: display.left += 1; break;
    case tpRight: display.right -= 1; break;
    }
    const int w = look.Control.cx, h = look.Control.cy;
    RECT strip{0, 0, w, std::max<LONG>(0, display.top)};
    if (position == tpBottom) strip = RECT{0, std::min<LONG>(h, display.bottom), w, h};
    if (position == tpLeft) strip = RECT{0, 0, std::max<LONG>(0, display.left), h};
    if (position == tpRight) strip = RECT{std::min<LONG>(w, display.right), 0, w, h};
    const bool across = position >= tpLeft;
    const int along = across ? strip.bottom - strip.top : strip.right - strip.left;
    const int depth = across ? strip.right - strip.left : strip.bottom - strip.top;

    if (along > 0 && depth > 0) {
        ui::TBitmap tabImage(element.Image.Width(), element.Image.Height());
        BitBlt(tabImage.Canvas().Handle(), 0, 0, tabImage.Width(), tabImage.Height(), element.Image.Canvas().Handle(),
               0, 0, SRCCOPY);
        if (position == tpBottom) FlipVertical(tabImage);
        ui::TBitmap buffer(along, depth);
        const HDC work = buffer.Canvas().Handle();
        SetStretchBltMode(work, COLORONCOLOR);
        Fill(work, RECT{0, 0, along, depth}, look.ParentColour);
        const ui::ScopedSaveDC saved(work);
        if (look.Font) SelectObject(work, look.Font);
        const ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToColorRef(skin.Color(csButtonText))));
        for (std::size_t k = 0; k < tabs.size(); ++k) {
            const TTabItem& tab = tabs[k];
            if (IsRectEmpty(&tab.Rect)) continue;
            const bool focused = static_cast<int>(k) == look.Focused;
            const RECT r = IntoStrip(tab.Rect, strip, position);
            DrawSkinElement(work, r, tabImage, element.Margins(), false, element.Tile == 1, element.Trans != 0,
                            element.Frame, focused ? 2 : 1);
            RECT content = r;
            if (look.CloseBoxes) {
                // A 6 x 6 cross in a square at the tab's right end.
                const RECT box{r.right - 8, r.top + 2, r.right - 2, r.top + 8};
                const ui::ScopedSelect selectPen(work, pen.get());
                Line(work, box.left, box.top, box.right, box.top);
                Line(work, box.right, box.top, box.right, box.bottom);
                Line(work, box.right, box.bottom, box.left, box.bottom);
                Line(work, box.left, box.bottom, box.left, box.top);
                Line(work, box.left, box.top, box.right, box.bottom);
                Line(work, box.left, box.bottom, box.right, box.top);
                if (closeBoxes) {
                    RECT inControl = box;
                    OffsetRect(&inControl, strip.left, strip.top);
                    inControl.right += 1;
                    inControl.bottom += 1;
                    closeBoxes->resize(k + 1);
                    (*closeBoxes)[k] = inControl;
                }
                content.right -= 8;
            }
            SetTextColor(work, ui::ColorToColorRef(focused ? element.MouseOverColour : element.NormalColour));
            DrawTabContent(work, content, 1, tab.Text, tab.Image, look.Images, look.Enabled);
        }
        if (position == tpLeft) RotateLeft(buffer);
        if (position == tpRight) RotateRight(buffer);
        const ui::ScopedSaveDC clip(dc);
        if (!IsRectEmpty(&look.Exclude))
            ExcludeClipRect(dc, look.Exclude.left, look.Exclude.top, look.Exclude.right, look.Exclude.bottom);
        BitBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, buffer.Canvas().Handle(),
               0, 0, SRCCOPY);
    }

    // The pane, turned with the tabs.
    const TDataSkinObject* paneSource = nullptr;
    RECT margins{4, 5, 4, 4};
    if (element.Style == 1 && Usable(skin.TabPane.get())) {
        paneSource = skin.TabPane.get();
        margins = skin.TabPane->Margins();
    }
    const ui::TBitmap& source = paneSource ? paneSource->Image : element.Image2;
    if (!source.Empty() && !IsRectEmpty(&display)) {
        ui::TBitmap pane(source.Width(), source.Height());
        BitBlt(pane.Canvas().Handle(), 0, 0, pane.Width(), pane.Height(), source.Canvas().Handle(), 0, 0, SRCCOPY);
        if (position == tpBottom) FlipVertical(pane);
        if (position == tpLeft) RotateLeft(pane);
        if (position == tpRight) RotateRight(pane);
        DrawSkinElement(dc, display, pane, margins, false, false, false, 1, 1);
    }
    return true;
}

void PaintStatusBar(HDC dc, SIZE size, const TSkinElements& skin, const std::vector<TStatusPanel>& panels,
                    const std::wstring& simpleText, HFONT font, bool sizeGrip, bool rightToLeft)
{
    if (size.cx <= 0 || size.cy <= 0) return;
    ui::TBitmap buffer(size.cx, size.cy);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    Fill(work, RECT{0, 0, size.cx, size.cy}, skin.Color(csButtonFace));
    const ui::ScopedSaveDC saved(work);
    if (font) SelectObject(work, font);
    SetBkMode(work, TRANSPARENT);
    const TDataSkinObject* edges = skin.StatusBarEdges.get();
    if (edges) SetTextColor(work, ui::ColorToColorRef(edges->NormalColour));
    const auto frame = [&](const RECT& r, int bevel) {
        if (Usable(edges)) {
            const int index = bevel == 0 ? 2 : bevel == 1 ? 1 : 3;
            DrawSkinElement(work, r, edges->Image, edges->Margins(), false, edges->Tile == 1, false, 3, index);
            return;
        }
        if (bevel == 2) return;
        const ui::PenHandle light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
        const ui::PenHandle dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        const bool raised = bevel == 0;
        SelectObject(work, raised ? light.get() : dark.get());
        Line(work, r.left, r.bottom - 1, r.left, r.top);
        Line(work, r.left, r.top, r.right - 1, r.top);
        SelectObject(work, raised ? dark.get() : light.get());
        Line(work, r.right - 1, r.top, r.right - 1, r.bottom - 1);
        Line(work, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
        SelectObject(work, GetStockObject(BLACK_PEN));
    };
    const auto text = [&](RECT r, const std::wstring& value, UINT alignment) {
        InflateRect(&r, -2, 0);
        const std::wstring shown = value.empty() ? L" " : value;
        DrawTextW(work, shown.c_str(), static_cast<int>(shown.size()), &r,
                  alignment | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | (rightToLeft ? DT_RTLREADING : 0));
    };
    if (panels.empty()) {
        const RECT all{0, 0, size.cx, size.cy};
        frame(all, 1);
        text(all, simpleText, rightToLeft ? DT_RIGHT : DT_LEFT);
    } else {
        for (std::size_t k = 0; k < panels.size(); ++k) {
            RECT r = panels[k].Rect;
            r.right += 2;
            if (k + 1 == panels.size()) r.right = size.cx;
            frame(r, panels[k].Bevel);
            const int a = panels[k].Alignment;
            text(r, panels[k].Text, a == 1 ? DT_RIGHT : a == 2 ? DT_CENTER : DT_LEFT);
        }
    }
    const TDataSkinObject* extra = skin.ExtraImages.get();
    if (sizeGrip && Usable(extra)) {
        const int cell = extra->FrameWidth(), ch = extra->Image.Height();
        DrawFrameStretched(work, RECT{size.cx - cell - 1, size.cy - ch - 1, size.cx - 1, size.cy - 1}, extra->Image,
                           true, extra->Frame, 5);
    }
    BitBlt(dc, 0, 0, size.cx, size.cy, work, 0, 0, SRCCOPY);
}

bool PaintHeader(HDC dc, SIZE size, const TSkinElements& skin, const std::vector<THeaderSection>& sections, int hot,
                 HFONT font, HIMAGELIST images)
{
    const TDataSkinObject* bar = skin.Headerbar.get();
    if (!Usable(bar)) return false;
    if (size.cx <= 0 || size.cy <= 0) return true;
    ui::TBitmap buffer(size.cx, size.cy);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    const ui::ScopedSaveDC saved(work);
    if (font) SelectObject(work, font);
    SetBkMode(work, TRANSPARENT);
    SetTextColor(work, ui::ColorToColorRef(skin.Color(csWindowText)));
    const int frames = std::max(2, SafeFrameCount(bar->Frame));
    int right = 0;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const RECT& r = sections[k].Rect;
        DrawSkinElement(work, r, bar->Image, bar->Margins(), false, bar->Tile == 1, false, frames,
                        static_cast<int>(k) == hot ? 2 : 1);
        DrawTabContent(work, r, sections[k].Alignment, sections[k].Text, sections[k].Image, images, true);
        right = std::max<int>(right, r.right);
    }
    if (right < size.cx)
        DrawSkinElement(work, RECT{right, 0, size.cx, size.cy}, bar->Image, bar->Margins(), false, bar->Tile == 1,
                        false, frames, 1);
    BitBlt(dc, 0, 0, size.cx, size.cy, work, 0, 0, SRCCOPY);
    return true;
}

namespace {

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// A visible up-down child (the tab scroller), in client coordinates, or an empty rectangle.
RECT VisibleUpDown(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32]{};
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, UPDOWN_CLASSW) != 0 || !IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    return {};
}

}  // namespace

int HeaderSectionAt(POINT point, const std::vector<RECT>& sections)
{
    for (std::size_t k = 0; k < sections.size(); ++k) {
        RECT hit = sections[k];
        InflateRect(&hit, -3, 0);
        if (PtInRect(&hit, point)) return static_cast<int>(k);
    }
    return -1;
}

int CloseBoxAt(POINT point, const std::vector<RECT>& closeBoxes)
{
    for (std::size_t k = 0; k < closeBoxes.size(); ++k)
        if (!IsRectEmpty(&closeBoxes[k]) && PtInRect(&closeBoxes[k], point)) return static_cast<int>(k);
    return -1;
}

void PaintGroupBoxWindow(HDC dc, HWND box, const TSkinElements& skin)
{
    RECT client{};
    GetClientRect(box, &client);
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(box)), L'\0');
    GetWindowTextW(box, caption.data(), static_cast<int>(caption.size()) + 1);
    const bool rightToLeft = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    PaintGroupBox(dc, client, caption, FontOf(box), skin.Color(csButtonText), skin, false, rightToLeft);
}

bool PaintTabControlWindow(HDC dc, HWND tab, const TSkinElements& skin, ui::TColor parentColour, bool closeBoxes,
                           std::vector<RECT>* closeRects)
{
    TTabStripLook look;
    look.Control = ClientSize(tab);
    look.Display = RECT{0, 0, look.Control.cx, look.Control.cy};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&look.Display));
    const LONG_PTR style = GetWindowLongPtrW(tab, GWL_STYLE);
    look.Position = TabPositionOf(style);
    look.Focused = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    look.CloseBoxes = closeBoxes;
    look.Enabled = !(style & WS_DISABLED);
    look.Font = FontOf(tab);
    look.Images = reinterpret_cast<HIMAGELIST>(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0));
    look.ParentColour = parentColour;
    look.Exclude = VisibleUpDown(tab);
    std::vector<TTabItem> tabs(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0))));
    for (std::size_t k = 0; k < tabs.size(); ++k) {
        // A tab the control does not report is skipped (left empty).
        if (!SendMessageW(tab, TCM_GETITEMRECT, k, reinterpret_cast<LPARAM>(&tabs[k].Rect))) continue;
        wchar_t text[81]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = 80;
        if (SendMessageW(tab, TCM_GETITEMW, k, reinterpret_cast<LPARAM>(&item))) {
            tabs[k].Text = text;
            tabs[k].Image = item.iImage;
        }
    }
    return PaintTabStrip(dc, skin, tabs, look, closeRects);
}

bool PaintTabButtonsWindow(HDC dc, HWND tab, const TSkinElements& skin)
{
    const TDataSkinButton* buttons = skin.Buttons.get();
    if (!Usable(buttons)) return false;
    const SIZE size = ClientSize(tab);
    if (size.cx <= 0 || size.cy <= 0) return true;
    RECT display{0, 0, size.cx, size.cy};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    ui::TBitmap buffer(size.cx, size.cy);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    Fill(work, RECT{0, 0, size.cx, size.cy}, skin.Color(csButtonFace));
    const ui::ScopedSaveDC saved(work);
    if (const HFONT font = FontOf(tab)) SelectObject(work, font);
    const int selected = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    const bool enabled = !(GetWindowLongPtrW(tab, GWL_STYLE) & WS_DISABLED);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0));
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int k = 0; k < count; ++k) {
        RECT r{};
        if (!SendMessageW(tab, TCM_GETITEMRECT, k, reinterpret_cast<LPARAM>(&r))) continue;
        OffsetRect(&r, 0, 1);
        wchar_t text[81]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = 80;
        if (!SendMessageW(tab, TCM_GETITEMW, k, reinterpret_cast<LPARAM>(&item))) item.iImage = -1;
        const int frame = k == selected ? 2 : 1;
        DrawSkinElement(work, r, buttons->Image, buttons->Margins(), false, buttons->Tile == 1, buttons->Trans != 0,
                        buttons->Frame, frame);
        ui::TColor colour = ui::clBlack;
        if (frame == 1 && buttons->NormalColour != -1) colour = buttons->NormalColour;
        if (frame == 2 && buttons->PressedColour != -1) colour = buttons->PressedColour;
        SetTextColor(work, ui::ColorToColorRef(colour));
        DrawTabContent(work, r, 1, text, item.iImage, images, enabled);
    }
    // The strip reaches a pixel below the display area's top; the pages cover the rest.
    const int stripBottom = std::clamp<int>(display.top + 1, 0, size.cy);
    BitBlt(dc, 0, 0, size.cx, stripBottom, work, 0, 0, SRCCOPY);
    return true;
}

void PaintStatusBarWindow(HDC dc, HWND bar, const TSkinElements& skin, const std::wstring* ownerSimpleText)
{
    const LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
    const bool rightToLeft = (GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    std::vector<TStatusPanel> panels;
    std::wstring simpleText;
    const auto textOf = [bar](WPARAM index, int& bevel) {
        const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, index, 0);
        std::wstring text(LOWORD(info), L'\0');
        SendMessageW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
        const UINT type = HIWORD(info);
        bevel = type & SBT_POPOUT ? 0 : type & SBT_NOBORDERS ? 2 : 1;
        return text;
    };
    const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    if (SendMessageW(bar, SB_ISSIMPLE, 0, 0) || parts <= 0) {
        int bevel = 1;
        if (ownerSimpleText) {
            simpleText = *ownerSimpleText;
        } else {
            simpleText = textOf(SB_SIMPLEID, bevel);
            // Some status bars answer the simple text only at index 0 while in simple mode.
            if (simpleText.empty()) simpleText = textOf(0, bevel);
        }
    } else {
        for (int k = 0; k < parts; ++k) {
            TStatusPanel panel;
            if (!SendMessageW(bar, SB_GETRECT, k, reinterpret_cast<LPARAM>(&panel.Rect))) continue;
            panel.Text = textOf(k, panel.Bevel);
            panels.push_back(std::move(panel));
        }
    }
    PaintStatusBar(dc, ClientSize(bar), skin, panels, simpleText, FontOf(bar), (style & SBARS_SIZEGRIP) != 0,
                   rightToLeft);
}

bool PaintHeaderWindow(HDC dc, HWND header, const TSkinElements& skin, int hot, std::vector<RECT>* rects)
{
    std::vector<THeaderSection> sections;
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int k = 0; k < count; ++k) {
        THeaderSection section;
        if (!SendMessageW(header, HDM_GETITEMRECT, k, reinterpret_cast<LPARAM>(&section.Rect))) continue;
        wchar_t text[201]{};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        item.pszText = text;
        item.cchTextMax = 200;
        if (SendMessageW(header, HDM_GETITEMW, k, reinterpret_cast<LPARAM>(&item))) {
            section.Text = text;
            const int align = item.fmt & HDF_JUSTIFYMASK;
            section.Alignment = align == HDF_RIGHT ? 2 : align == HDF_CENTER ? 1 : 0;
            section.Image = item.fmt & (HDF_STRING | HDF_IMAGE) ? item.iImage : -1;
        }
        sections.push_back(std::move(section));
    }
    if (rects) {
        rects->clear();
        for (const THeaderSection& section : sections) rects->push_back(section.Rect);
    }
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    return PaintHeader(dc, ClientSize(header), skin, sections, hot, FontOf(header), images);
}

}  // namespace skin
