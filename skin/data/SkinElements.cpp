#include "skin/data/SkinElements.h"

#include <algorithm>
#include <type_traits>

#include "skin/data/SkinImage.h"

namespace skin {

namespace {

constexpr ui::TColor kMagenta = ui::RGBColor(255, 0, 255);
constexpr ui::TColor kWhite = ui::RGBColor(255, 255, 255);

void Clear(ui::TBitmap& bitmap) { bitmap.SetSize(0, 0); }

int ClampTile(int value, int above) { return value > 1 ? above : value; }

enum class KeySet { Generic, Border, BoxLabel };

// One element of the generic, border or box-label key set; absent when its Image key is
// empty. Frame is read only for the generic set.
template <typename T>
void ReadElement(const TQuickIni& ini, std::string_view section, const TSkinBitmapLoader& load,
                 const TSkinColorTable& colors, std::unique_ptr<T>& slot, KeySet keys,
                 std::string_view secondImageKey = {})
{
    slot.reset();
    const std::string image = ini.ReadString(section, "Image", {});
    if (image.empty()) return;
    auto element = std::make_unique<T>(std::string(section));
    load(element->Image, image);
    element->Style = ini.ReadInteger(section, "Style", 0);
    element->LeftWidth = ini.ReadInteger(section, "LeftWidth", 0);
    element->RightWidth = ini.ReadInteger(section, "RightWidth", 0);
    element->TopHeight = ini.ReadInteger(section, "TopHeight", 0);
    element->BottomHeight = ini.ReadInteger(section, "BottomHeight", 0);
    if (keys == KeySet::Generic) element->Frame = ini.ReadInteger(section, "Frame", 0);
    element->Trans = ini.ReadInteger(section, "Trans", 0);
    element->Tile = ClampTile(ini.ReadInteger(section, "Tile", 0), 0);
    element->NormalColour = ReadColorKey(ini, section, "NormalColour", -1);
    element->MouseOverColour = ReadColorKey(ini, section, "MouseOverColour", -1);
    element->PressedColour = ReadColorKey(ini, section, "PressedColour", -1);
    const ui::TColor buttonText = colors.Colors[csButtonText];
    element->NormalColour2 = ReadColorKey(ini, section, "NormalColour2", buttonText);
    element->MouseOverColour2 = ReadColorKey(ini, section, "MouseOverColour2", buttonText);
    element->PressedColour2 = ReadColorKey(ini, section, "PressedColour2", buttonText);
    if constexpr (std::is_same_v<T, TDataSkinBorder>) {
        if (!secondImageKey.empty()) load(element->Image2, ini.ReadString(section, secondImageKey, {}));
    }
    if constexpr (std::is_same_v<T, TDataSkinBoxLabel>) {
        element->BackgroundAlignment = ini.ReadInteger(section, "BackgroundAlignment", 0);
        element->BackgroundLeftShift = ini.ReadInteger(section, "BackgroundLeftShift", 0);
        element->BackgroundRightShift = ini.ReadInteger(section, "BackgroundRightShift", 0);
    }
    slot = std::move(element);
}

void ReadBorders(const TQuickIni& ini, const TSkinBitmapLoader& load, TSkinElements& e)
{
    const std::pair<const char*, std::unique_ptr<TDataSkinBorder>*> borders[] = {
        {"Left", &e.Left}, {"Right", &e.Right}, {"Top", &e.Top}, {"Bottom", &e.Bottom}};
    for (const auto& [name, slot] : borders) {
        const std::string n = name;
        auto border = std::make_unique<TDataSkinBorder>(n);
        load(border->Image, ini.ReadString("Personality", n, {}));
        const int start = ini.ReadInteger("Personality", n + "TopHeight", 0);
        const int end = ini.ReadInteger("Personality", n + "BotHeight", 0);
        // The fixed parts lie along the border's long side.
        if (n == "Left" || n == "Right") {
            border->TopHeight = start;
            border->BottomHeight = end;
        } else {
            border->LeftWidth = start;
            border->RightWidth = end;
        }
        border->Frame = ini.ReadInteger("Personality", n + "Frame", 1);
        border->Tile = ClampTile(ini.ReadInteger("Personality", n + "Stretch", 1), 1);
        border->Trans = ini.ReadInteger("Personality", n + "Trans", 1);
        *slot = std::move(border);
    }
}

void ReadCaptionButtons(const TQuickIni& ini, const std::vector<std::string>& sections,
                        const TSkinBitmapLoader& load, TSkinElements& e)
{
    e.CaptionButtons.clear();
    for (const TCaptionButtonKeys& keys : ReadCaptionButtons(ini, sections)) {
        auto button = std::make_unique<TDataSkinSysButton>(keys.Name);
        button->Action = keys.Place.Action;
        button->Visibility = keys.Place.Visibility;
        button->Xcoord = keys.Place.Xcoord;
        button->Ycoord = keys.Place.Ycoord;
        button->Align = keys.Align;
        button->Visibility1 = keys.Visibility1;
        button->CombineOp = keys.CombineOp;
        load(button->Image, keys.ImageValue);
        button->Frame = CaptionButtonFrameCount(keys.FrameKey, button->Action, button->Image.Width(),
                                                button->Image.Height());
        // Window-icon buttons show the window's icon, never a picture of the skin.
        if (button->Action == 3 || button->Action == 11) Clear(button->Image);
        e.CaptionButtons.push_back(std::move(button));
    }

    ui::TBitmap controls;
    load(controls, ini.ReadString("MDICONTROLS", "Image", {}));
    for (int k = 0; k < 3; ++k) {
        auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        button->Action = 7 + k;
        button->Align = 100;
        button->Visibility = 100;
        button->Visibility1 = 100;
        button->Frame = 4;
        if (!controls.Empty()) {
            const TMdiButtonCut cut = MdiButtonCut(controls.Width(), k);
            button->Image.SetPixelFormat(ui::TPixelFormat::pf24bit);
            button->Image.SetSize(cut.Width, controls.Height());
            BitBlt(button->Image.Canvas().Handle(), 0, 0, cut.Width, controls.Height(), controls.Canvas().Handle(),
                   cut.SourceX, 0, SRCCOPY);
            button->Xcoord = cut.Xcoord;
        }
        e.CaptionButtons.push_back(std::move(button));
    }
}

void ReadButtons(const TQuickIni& ini, const TSkinBitmapLoader& load, TSkinElements& e)
{
    const std::string section = "Buttons";
    auto b = std::make_unique<TDataSkinButton>(section);
    load(b->Image, ini.ReadString(section, "Bitmap", {}));
    b->LeftWidth = ini.ReadInteger(section, "LeftWidth", 0);
    b->RightWidth = ini.ReadInteger(section, "RightWidth", 0);
    b->TopHeight = ini.ReadInteger(section, "TopHeight", 0);
    b->BottomHeight = ini.ReadInteger(section, "BottomHeight", 0);
    b->Trans = ini.ReadInteger(section, "Trans", 0);
    b->Tile = ClampTile(ini.ReadInteger(section, "Tile", 0), 0);
    load(b->CheckImage, ini.ReadString(section, "CheckButton", {}));
    load(b->RadioImage, ini.ReadString(section, "RadioButton", {}));
    b->NormalColour = ReadColorKey(ini, section, "NormalColour", -1);
    b->MouseOverColour = ReadColorKey(ini, section, "MouseOverColour", -1);
    b->PressedColour = ReadColorKey(ini, section, "PressedColour", -1);
    b->RadioButtonFrame = CheckRadioFrameCount(ini.ReadInteger(section, "RadioButtonFrame", 0), b->RadioImage.Width(),
                                               b->RadioImage.Height());
    b->CheckButtonFrame = CheckRadioFrameCount(ini.ReadInteger(section, "CheckButtonFrame", 0), b->CheckImage.Width(),
                                               b->CheckImage.Height());
    const ui::TColor buttonText = e.Colors.Colors[csButtonText];
    b->NormalColour2 = ReadColorKey(ini, section, "NormalColour2", buttonText, &b->NormalColour2Given);
    b->MouseOverColour2 = ReadColorKey(ini, section, "MouseOverColour2", buttonText, &b->MouseOverColour2Given);
    b->PressedColour2 = ReadColorKey(ini, section, "PressedColour2", buttonText, &b->PressedColour2Given);
    e.Buttons = std::move(b);
}

ui::TColor TitleColor(const TQuickIni& ini, const std::string& prefix)
{
    const int r = ini.ReadInteger("Personality", prefix + "R", -1);
    const int g = ini.ReadInteger("Personality", prefix + "G", -1);
    const int b = ini.ReadInteger("Personality", prefix + "B", -1);
    return r >= 0 && g >= 0 && b >= 0 ? ui::RGBColor(r, g, b) : kNoTitleColor;
}

void ReadCaption(const TQuickIni& ini, const TSkinBitmapLoader& load, TSkinElements& e)
{
    auto t = std::make_unique<TDataSkinTitle>("Personality");
    load(t->Image, ini.ReadString("Personality", "TextBack", {}));
    t->LeftWidth = ini.ReadInteger("Personality", "TextShift", 0);
    t->TopHeight = ini.ReadInteger("Personality", "TextShiftVert", 0);
    t->RightWidth = ini.ReadInteger("Personality", "TextRightClip", 0);
    t->TextAlignment = ini.ReadInteger("Personality", "TextAlignment", 0);
    t->Textbackground = ini.ReadInteger("Personality", "Textbackground", 0);
    t->TXTBackleft = ini.ReadInteger("Personality", "TXTBackleft", 0);
    t->TXTBackRight = ini.ReadInteger("Personality", "TXTBackRight", 0);
    t->FontHeight = ini.ReadInteger("Fonts", "FontHeight", 14);
    t->ActiveText = TitleColor(ini, "ActiveText");
    t->InActiveText = TitleColor(ini, "InActiveText");
    e.Caption = std::move(t);
}

void ReadMenuBar(const TQuickIni& ini, const TSkinBitmapLoader& load, TSkinElements& e)
{
    e.MenuBar.reset();
    const std::string image = ini.ReadString("Personality", "menuBar", {});
    if (image.empty()) return;
    auto m = std::make_unique<TDataSkinObject>("Personality");
    load(m->Image, image);
    m->Tile = ClampTile(ini.ReadInteger("Personality", "TileMenu", 1), 1);
    m->LeftWidth = ini.ReadInteger("Personality", "TileLeftMenu", 1);
    m->RightWidth = ini.ReadInteger("Personality", "TileRightMenu", 1);
    e.MenuBar = std::move(m);
}

void ReadProgress(const TQuickIni& ini, const TSkinBitmapLoader& load, TSkinElements& e)
{
    e.Progress.reset();
    const std::string image = ini.ReadString("Progress", "Bitmap", {});
    if (image.empty()) return;
    auto p = std::make_unique<TDataSkinBorder>("Progress");
    load(p->Image, image);
    p->Style = ini.ReadInteger("Progress", "Style", 0);
    p->LeftWidth = ini.ReadInteger("Progress", "LeftWidth", 0);
    p->RightWidth = ini.ReadInteger("Progress", "RightWidth", 0);
    p->TopHeight = ini.ReadInteger("Progress", "TopHeight", 0);
    p->BottomHeight = ini.ReadInteger("Progress", "BottomHeight", 0);
    p->Trans = ini.ReadInteger("Progress", "Trans", 0);
    p->Tile = ClampTile(ini.ReadInteger("Progress", "Tile", 0), 1);
    e.Progress = std::move(p);
}

// The program's own channel bitmap, with margins 3 and one frame.
std::unique_ptr<TDataSkinObject> BuiltInChannel(const wchar_t* resource, const char* name)
{
    auto channel = std::make_unique<TDataSkinObject>(name);
    try {
        channel->Image.LoadFromResourceName(GetModuleHandleW(nullptr), resource);
    } catch (const ui::Exception&) {
        Clear(channel->Image);
    }
    channel->LeftWidth = channel->TopHeight = channel->RightWidth = channel->BottomHeight = 3;
    channel->Tile = 0;
    channel->Frame = 1;
    return channel;
}

// SunkEdge and ComboButton become one 50 x 21 picture per state, the edit area left
// transparent; the combo button and its mirror (for left scroll bars) share it.
void ComposeCombo(TSkinElements& e)
{
    if (!e.SunkEdge || !e.ComboButton) return;
    const int aw = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int frames = SafeFrameCount(e.SunkEdge->Frame);
    constexpr int kW = 50, kH = 21;
    ui::TBitmap strip(kW * frames, kH, ui::TPixelFormat::pf24bit);
    ui::TBitmap work(kW, kH, ui::TPixelFormat::pf24bit);
    const ui::BrushHandle magenta(CreateSolidBrush(ui::ColorToColorRef(kMagenta)));
    const RECT whole{0, 0, kW, kH};
    const RECT button{kW - aw, 0, kW, kH};
    const RECT edit{2, 2, kW - 1 - aw, kH - 3};
    for (int f = 1; f <= frames; ++f) {
        const HDC dc = work.Canvas().Handle();
        FillRect(dc, &whole, magenta.get());
        DrawSkinElement(dc, whole, e.SunkEdge->Image, e.SunkEdge->Margins(), false, false, e.SunkEdge->Trans != 0,
                        e.SunkEdge->Frame, f);
        DrawSkinElement(dc, button, e.ComboButton->Image, e.ComboButton->Margins(), false, false, true,
                        e.ComboButton->Frame, f);
        if (e.ExtraImages) DrawFrameCentered(dc, button, e.ExtraImages->Image, true, e.ExtraImages->Frame, f);
        FillRect(dc, &edit, magenta.get());
        BitBlt(strip.Canvas().Handle(), kW * (f - 1), 0, kW, kH, dc, 0, 0, SRCCOPY);
    }
    e.ComboButton->Image.Assign(strip);
    e.ComboButton->Style = 2;
    e.ComboButton->LeftWidth = 2;
    e.ComboButton->TopHeight = e.SunkEdge->TopHeight;
    e.ComboButton->RightWidth = aw + 2;
    e.ComboButton->BottomHeight = e.SunkEdge->BottomHeight;
    MirrorFrames(strip, frames);
    e.SunkEdge->Image.Assign(strip);
    e.SunkEdge->LeftWidth = aw + 2;
    e.SunkEdge->RightWidth = 2;
}

// The arrow-button strip of date pickers and extended combo boxes.
void MakeComboArrow(TSkinElements& e)
{
    if (!e.ComboxArrow) e.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *e.ComboxArrow;
    // A skin without a combo button must not keep the arrows of the previous skin.
    Clear(arrow.Image);
    arrow.Frame = 1;
    if (!e.ComboButton) return;
    if (!e.SunkEdge) {
        arrow.Image.Assign(e.ComboButton->Image);
        ReplaceMagenta(arrow.Image, ui::ColorToRGB(e.Color(csButtonFace)));
        arrow.Frame = e.ComboButton->Frame;
        return;
    }
    if (e.ComboButton->Style != 2) return;
    const int frames = SafeFrameCount(e.SunkEdge->Frame);
    const int w = e.ComboButton->Image.Width() / frames;
    arrow.Image.SetPixelFormat(ui::TPixelFormat::pf24bit);
    arrow.Image.SetSize(17 * frames, 17);
    for (int i = 0; i < frames; ++i)
        BitBlt(arrow.Image.Canvas().Handle(), 17 * i, 0, 17, 17, e.ComboButton->Image.Canvas().Handle(),
               (i + 1) * w - 19, 2, SRCCOPY);
    arrow.Frame = frames;
}

// The tool bar background of skins that have none: a ramp from light face to a shade of
// the frame colour.
void MakeToolbarBackground(TSkinElements& e)
{
    if (!e.Toolbar) e.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    TDataSkinObject& bar = *e.Toolbar;
    const ui::TColor base = ui::ColorToRGB(FrameColor(e));
    const ui::TColor top = BlendColors(e.Color(csButtonFace), kWhite, 150);
    const int weight = ToolbarSaturatedWeight(ColorSaturation(base));
    const ui::TColor bottom =
        weight < 0 ? BlendColors(ui::RGBColor(128, 128, 128), base, 150) : BlendColors(base, kWhite, weight);
    bar.Image.SetPixelFormat(ui::TPixelFormat::pf24bit);
    bar.Image.SetSize(10, 40);
    FillGradient(bar.Image.Canvas().Handle(), RECT{0, 0, 10, 40}, top, bottom, true);
    bar.Frame = 1;
}

}  // namespace

TDataSkinObject::TDataSkinObject(std::string name) : Name(std::move(name)) {}

TSkinElements::TSkinElements()
    : Left(std::make_unique<TDataSkinBorder>("Left")),
      Right(std::make_unique<TDataSkinBorder>("Right")),
      Top(std::make_unique<TDataSkinBorder>("Top")),
      Bottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Caption(std::make_unique<TDataSkinTitle>("Personality")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons"))
{
}

void TSkinElements::ForEachElement(const std::function<void(const TDataSkinObject& element)>& visit) const
{
    const TDataSkinObject* const fixed[] = {Left.get(), Right.get(), Top.get(), Bottom.get(), Caption.get(),
                                            MenuBar.get(), Buttons.get()};
    for (const TDataSkinObject* element : fixed)
        if (element) visit(*element);
    for (const auto& button : CaptionButtons) visit(*button);
    const TDataSkinObject* const sections[] = {
        Progress.get(),       ProgressChunk.get(),   GroupBoxEdge.get(),  GroupBox.get(),     Tabs.get(),
        StatusBarEdges.get(), TabPane.get(),         ToolBars.get(),      ComboButton.get(),  SunkEdge.get(),
        ExtraImages.get(),    Headerbar.get(),       MenuItem.get(),      MenuBackground.get(), Scrollbar.get(),
        HorzScroll.get(),     VertScroll.get(),      HorzScrollThumb.get(), VertScrollThumb.get(), ThumbHorz.get(),
        ThumbVert.get(),      ThumbLeft.get(),       ThumbRight.get(),    ThumbUp.get(),      ThumbDown.get(),
        UpDownHorz.get(),     UpDownVert.get(),      Track.get(),         TrackVert.get(),    ComboxArrow.get(),
        Toolbar.get()};
    for (const TDataSkinObject* element : sections)
        if (element) visit(*element);
}

ui::TColor FrameColor(const TSkinElements& elements)
{
    const ui::TBitmap& top = elements.Top->Image;
    if (top.Empty()) return elements.Color(csButtonFace);
    return top.Canvas().Pixel(top.Width() / 3, FrameExtent(top.Height(), elements.Top->Frame) / 3);
}

void ApplyFrameCounts(const TQuickIni& ini, TSkinElements& e)
{
    e.Caption->Frame = 2;
    e.Buttons->Frame = 5;
    const auto set = [](const auto& element, int frames) {
        if (element) element->Frame = frames;
    };
    set(e.MenuBar, 2);
    if (e.Progress) e.Progress->Frame = e.Progress->Style != 0 ? 1 : 2;
    set(e.GroupBoxEdge, 2);
    set(e.GroupBox, 1);
    set(e.Tabs, 5);
    set(e.StatusBarEdges, 3);
    set(e.TabPane, 1);
    set(e.ToolBars, 5);
    set(e.ComboButton, 4);
    set(e.SunkEdge, 4);
    set(e.ExtraImages, 5);
    if (e.Headerbar && e.Headerbar->Frame == 0) e.Headerbar->Frame = 5;
    set(e.MenuItem, 5);
    set(e.MenuBackground, 1);
    set(e.Scrollbar, 23);
    set(e.HorzScroll, 4);
    set(e.VertScroll, 4);
    set(e.HorzScrollThumb, ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
    set(e.VertScrollThumb, ini.ReadInteger("VertScrollThumb", "FrameCount", 3));
    for (auto* thumb : {&e.ThumbHorz, &e.ThumbVert, &e.ThumbLeft, &e.ThumbRight, &e.ThumbUp, &e.ThumbDown})
        set(*thumb, 5);
    set(e.UpDownHorz, 8);
    set(e.UpDownVert, 8);
}

void LoadSkinDescription(const TQuickIni& ini, const TSkinBitmapLoader& load, TSkinElements& e)
{
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    e.SkinName = ini.ReadString("TitlebarSkin", "SkinName", {});
    ReadBorders(ini, load, e);
    ReadColorTable(ini, sections, e.Colors);
    ReadCaptionButtons(ini, sections, load, e);
    ReadButtons(ini, load, e);
    ReadCaption(ini, load, e);

    const TSkinColorTable& colors = e.Colors;
    const auto generic = [&](std::string_view section, std::unique_ptr<TDataSkinObject>& slot) {
        ReadElement(ini, section, load, colors, slot, KeySet::Generic);
    };
    ReadProgress(ini, load, e);
    generic("Progress.Chunk", e.ProgressChunk);
    ReadMenuBar(ini, load, e);
    generic("GroupBoxEdge", e.GroupBoxEdge);
    ReadElement(ini, "GroupBox", load, colors, e.GroupBox, KeySet::BoxLabel);
    ReadElement(ini, "Tabs", load, colors, e.Tabs, KeySet::Border, "Border");
    generic("StatusBarEdges", e.StatusBarEdges);
    generic("Tab.Pane", e.TabPane);
    if (e.TabPane) {
        auto& pane = *e.TabPane;
        for (std::int32_t* margin : {&pane.LeftWidth, &pane.TopHeight, &pane.RightWidth, &pane.BottomHeight})
            *margin = std::min(*margin, 4);
    }
    generic("ToolBars", e.ToolBars);
    ReadElement(ini, "ComboButton", load, colors, e.ComboButton, KeySet::Border);
    generic("SunkEdge", e.SunkEdge);
    generic("ExtraImages", e.ExtraImages);
    generic("Headerbar", e.Headerbar);
    generic("MenuItem", e.MenuItem);
    generic("MenuBackground", e.MenuBackground);
    generic("Scrollbar", e.Scrollbar);
    generic("HorzScroll", e.HorzScroll);
    generic("VertScroll", e.VertScroll);
    generic("HorzScrollThumb", e.HorzScrollThumb);
    generic("VertScrollThumb", e.VertScrollThumb);
    generic("Trackbar.ThumbHorz", e.ThumbHorz);
    generic("Trackbar.ThumbVert", e.ThumbVert);
    generic("Trackbar.ThumbLeft", e.ThumbLeft);
    generic("Trackbar.ThumbRight", e.ThumbRight);
    generic("Trackbar.ThumbUp", e.ThumbUp);
    generic("Trackbar.ThumbDown", e.ThumbDown);
    ReadElement(ini, "UpDown.Horz", load, colors, e.UpDownHorz, KeySet::Border, "GlyphImage");
    ReadElement(ini, "UpDown.Vert", load, colors, e.UpDownVert, KeySet::Border, "GlyphImage");
    generic("Track", e.Track);
    generic("TRACKVERT", e.TrackVert);
    if (!e.Track) e.Track = BuiltInChannel(L"TRACK", "Track");
    if (!e.TrackVert) e.TrackVert = BuiltInChannel(L"TRACKVERT", "TRACKVERT");

    ApplyFrameCounts(ini, e);
    // The button of combo boxes with the scroll bar on the left: each state mirrored.
    if (e.ComboButton && !e.ComboButton->Image.Empty()) {
        e.ComboButton->Image2.Assign(e.ComboButton->Image);
        e.ComboButton->Image2.SetPixelFormat(ui::TPixelFormat::pf24bit);
        MirrorFrames(e.ComboButton->Image2, e.ComboButton->Frame);
    }
    ComposeCombo(e);
    MakeComboArrow(e);
    MakeToolbarBackground(e);

    e.Colors.Colors[csFrameColor] = FrameColor(e);
    e.FaceBrush.reset(CreateSolidBrush(ui::ColorToColorRef(e.Color(csButtonFace))));
}

}  // namespace skin
