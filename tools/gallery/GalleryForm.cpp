#include "tools/gallery/GalleryForm.h"

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "skin/data/SkinData.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Grids.h"
#include "ui/MPlayer.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace gallery {

namespace {

const wchar_t* const kFontNames[] = {L"墨笺", L"宋体", L"黑体", L"楷体", L"仿宋", L"隶书", L"幼圆", L"微软雅黑",
                                     L"新宋体", L"华文细黑", L"华文楷体", L"华文宋体"};

// A grid with a few columns of made-up rows, enough to need both scroll bars.
class TGalleryGrid : public ui::TCustomGrid {
public:
    explicit TGalleryGrid(ui::TComponent* owner) : TCustomGrid(owner)
    {
        SetColCount(5);
        SetRowCount(40);
        SetFixedRows(1);
        SetFixedCols(0);
        SetDefaultRowHeight(18);
        SetDefaultColWidth(80);
        SetScrollBars(ui::TScrollStyle::ssBoth);
    }

protected:
    void DrawCell(int col, int row, const RECT& rect, ui::TGridDrawState state) override
    {
        TCustomGrid::DrawCell(col, row, rect, state);
        static const wchar_t* heads[] = {L"序号", L"日期", L"标题", L"字数", L"录音"};
        const std::wstring text = row == 0 ? heads[col] : std::to_wstring(row * 10 + col);
        RECT cell = rect;
        InflateRect(&cell, -3, 0);
        ui::TCanvas& canvas = *Canvas();
        canvas.Brush().SetStyle(ui::TBrushStyle::bsClear);
        DrawTextW(canvas.Handle(), text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
};

// The framework's page control, track bar and progress bar have no property for the side
// of the tabs or the orientation; the window style carries it from creation on.
template <class Base>
class TStyled : public Base {
public:
    TStyled(ui::TComponent* owner, DWORD style) : Base(owner), style_(style) {}

protected:
    void CreateParams(ui::TCreateParams& params) override
    {
        Base::CreateParams(params);
        params.Style |= style_;
    }

private:
    DWORD style_;
};

// A button with a drop-down menu, of the class the skin's class list serves as a menu button.
class TGalleryMenuButton : public ui::TButton {
public:
    using TButton::TButton;
    std::wstring_view ClassName() const override { return L"TKtMenuButton"; }
};

// Four 16-pixel cells (up, disabled, pressed, down) on the transparent magenta.
void PaintFourCells(ui::TBitmap& glyph)
{
    ui::TCanvas& canvas = glyph.Canvas();
    const RECT whole{0, 0, 4 * 16, 16};
    const ui::BrushHandle background(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(canvas.Handle(), &whole, background.get());
    static const COLORREF colours[] = {RGB(40, 120, 200), RGB(150, 150, 150), RGB(20, 80, 160), RGB(200, 90, 40)};
    for (int cell = 0; cell < 4; ++cell) {
        const ui::BrushHandle brush(CreateSolidBrush(colours[cell]));
        const RECT disc{cell * 16 + 3, 3, cell * 16 + 13, 13};
        const ui::ScopedSelect pen(canvas.Handle(), GetStockObject(NULL_PEN));
        const ui::ScopedSelect fill(canvas.Handle(), brush.get());
        Ellipse(canvas.Handle(), disc.left, disc.top, disc.right, disc.bottom);
    }
}

}  // namespace

TGalleryForm::TGalleryForm(ui::TComponent* owner, const std::wstring& package) : TForm(owner)
{
    SetCaption(L"皮肤画廊 - skintool gallery");
    SetBounds(8, 8, 1010, 720);
    SetShowHint(true);
    BuildMenus();
    BuildButtons();
    BuildEdits();
    BuildLists();
    BuildContainers();
    BuildBars();
    BuildSkin(package);
}

template <class Control>
Control* TGalleryForm::Put(Control* control, ui::TWinControl* parent, int x, int y, int w, int h, const std::wstring& hint)
{
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    control->SetHint(hint);
    control->SetShowHint(true);
    shown_.push_back(control);
    return control;
}

void TGalleryForm::BuildMenus()
{
    auto* menu = new ui::TMainMenu(this);
    const auto item = [this](ui::TMenuItem* parent, const wchar_t* caption) {
        auto* added = new ui::TMenuItem(this);
        added->SetCaption(caption);
        parent->Add(added);
        return added;
    };
    ui::TMenuItem* file = item(menu->Items(), L"文件(&F)");
    item(file, L"打开皮肤...");
    item(file, L"-");
    item(file, L"退出");
    ui::TMenuItem* view = item(menu->Items(), L"查看(&V)");
    item(view, L"工具栏")->SetChecked(true);
    item(view, L"状态栏")->SetChecked(true);
    item(view, L"灰色项")->SetEnabled(false);
    ui::TMenuItem* sizes = item(view, L"文字大小");
    item(sizes, L"小");
    item(sizes, L"大");
    item(menu->Items(), L"帮助(&H)");
    SetMenu(menu);

    popup_ = new ui::TPopupMenu(this);
    item(popup_->Items(), L"复制");
    item(popup_->Items(), L"粘贴");
    item(popup_->Items(), L"-");
    item(popup_->Items(), L"删除")->SetEnabled(false);
    SetPopupMenu(popup_);
}

void TGalleryForm::BuildButtons()
{
    auto* group = Put(new ui::TGroupBox(this), this, 8, 4, 320, 196, L"按钮与选择框");
    group->SetCaption(L"按钮与选择框");
    auto* plain = Put(new ui::TButton(this), group, 10, 20, 72, 26, L"普通按钮，默认按钮");
    plain->SetCaption(L"确定");
    plain->SetDefault(true);
    auto* bit = Put(new ui::TBitBtn(this), group, 88, 20, 100, 26, L"位图按钮：四格图标");
    bit->SetCaption(L"保存文档");
    ui::TBitmap glyph(4 * 16, 16);
    PaintFourCells(glyph);
    bit->SetGlyph(glyph);
    bit->SetNumGlyphs(4);
    auto* off = Put(new ui::TButton(this), group, 194, 20, 52, 26, L"禁用的按钮");
    off->SetCaption(L"禁用");
    off->SetEnabled(false);
    auto* menuButton = Put(new TGalleryMenuButton(this), group, 252, 20, 58, 26, L"菜单按钮");
    menuButton->SetCaption(L"更多");
    menuButton->SetPopupMenu(popup_);

    static const wchar_t* speedCaptions[] = {L"平", L"按下", L"凸起"};
    for (int k = 0; k < 3; ++k) {
        auto* speed = Put(new ui::TSpeedButton(this), group, 10 + k * 56, 52, 52, 24,
                          k == 0 ? L"平面快捷按钮" : k == 1 ? L"按下的快捷按钮" : L"凸起的快捷按钮");
        speed->SetCaption(speedCaptions[k]);
        speed->SetFlat(k == 0);
        speed->SetGroupIndex(k == 1 ? 1 : 0);
        speed->SetAllowAllUp(true);
        speed->SetDown(k == 1);
    }
    auto* speedGlyph = Put(new ui::TSpeedButton(this), group, 178, 52, 28, 24, L"图标快捷按钮");
    speedGlyph->SetGlyph(glyph);
    speedGlyph->SetNumGlyphs(4);

    static const wchar_t* captions[] = {L"未选", L"已选", L"不定", L"禁用"};
    for (int k = 0; k < 4; ++k) {
        auto* check = Put(new ui::TCheckBox(this), group, 10 + k * 75, 84, 70, 20, L"选择框");
        check->SetCaption(captions[k]);
        check->SetState(k == 1 || k == 3 ? ui::TCheckBoxState::cbChecked
                        : k == 2       ? ui::TCheckBoxState::cbGrayed
                                       : ui::TCheckBoxState::cbUnchecked);
        check->SetEnabled(k != 3);
    }
    static const wchar_t* radios[] = {L"单选一", L"单选二", L"禁用"};
    for (int k = 0; k < 3; ++k) {
        auto* radio = Put(new ui::TRadioButton(this), group, 10 + k * 75, 110, 70, 20, L"单选按钮");
        radio->SetCaption(radios[k]);
        radio->SetChecked(k == 1);
        radio->SetEnabled(k != 2);
    }
    auto* radioGroup = Put(new ui::TRadioGroup(this), group, 10, 134, 300, 54, L"单选组");
    radioGroup->SetCaption(L"单选组");
    for (const wchar_t* choice : {L"正常速度", L"快速"}) radioGroup->Items().Add(choice);
    radioGroup->ItemsChanged();
    radioGroup->SetItemIndex(0);
}

void TGalleryForm::BuildEdits()
{
    auto* panel = Put(new ui::TPanel(this), this, 8, 206, 320, 130, L"凹下的面板：编辑框与下拉框");
    panel->SetCaption(L"");
    panel->SetBevelOuter(ui::TPanelBevel::bvLowered);
    auto* edit = Put(new ui::TEdit(this), panel, 10, 8, 140, 21, L"编辑框");
    edit->SetText(L"一句话简述");
    auto* readOnly = Put(new ui::TEdit(this), panel, 160, 8, 150, 21, L"只读编辑框");
    readOnly->SetText(L"双击添加录音文件");
    readOnly->SetReadOnly(true);
    auto* disabled = Put(new ui::TEdit(this), panel, 10, 36, 140, 21, L"禁用的编辑框");
    disabled->SetText(L"禁用");
    disabled->SetEnabled(false);
    Put(new ui::TDateTimePicker(this), panel, 160, 36, 150, 21, L"日期选择");
    auto* number = Put(new ui::TEdit(this), panel, 10, 64, 123, 21, L"数字框");
    number->SetText(L"5");
    auto* spin = Put(new ui::TUpDown(this), panel, 133, 64, 17, 21, L"上下箭头");
    spin->SetRange(0, 60);
    spin->SetPosition(5);

    const auto combo = [&](ui::TComboBoxStyle style, int x, int y, int index, const wchar_t* hint) {
        auto* box = Put(new ui::TComboBox(this), panel, x, y, 150, 21, hint);
        box->SetStyle(style);
        for (const wchar_t* name : kFontNames) box->Items().Add(name);
        box->ItemsChanged();
        box->SetItemIndex(index);
        return box;
    };
    combo(ui::TComboBoxStyle::csDropDown, 160, 64, 0, L"可编辑的下拉框");
    combo(ui::TComboBoxStyle::csDropDownList, 160, 96, 2, L"只选的下拉框");
    combo(ui::TComboBoxStyle::csDropDownList, 10, 96, 1, L"禁用的下拉框")->SetEnabled(false);
}

void TGalleryForm::BuildLists()
{
    auto* memo = Put(new ui::TMemo(this), this, 340, 4, 320, 150, L"备忘录：文字超出时出现滚动条");
    memo->SetScrollBars(ui::TScrollStyle::ssBoth);
    memo->SetWordWrap(false);
    std::wstring text;
    for (int line = 1; line <= 40; ++line)
        text += L"第" + std::to_wstring(line) + L"行：录音整理的文字，足够长，能出现水平滚动条。\r\n";
    memo->SetText(text);

    auto* header = Put(new ui::THeaderControl(this), this, 340, 160, 320, 22, L"标题栏");
    header->SetAlign(ui::TAlign::alNone);
    header->SetBounds(340, 160, 320, 22);
    static const wchar_t* heads[] = {L"序号", L"日期", L"标题", L"语音文件"};
    for (int k = 0; k < 4; ++k) header->AddSection(heads[k], k == 2 ? 110 : 70);

    auto* list = Put(new ui::TListView(this), this, 340, 188, 320, 126, L"列表：行多时出现滚动条");
    list->SetViewStyle(ui::TViewStyle::vsReport);
    for (int k = 0; k < 3; ++k) list->AddColumn(heads[k], 130);
    for (int row = 0; row < 14; ++row) list->AddItem(L"文档 " + std::to_wstring(row + 1));

    Put(new TGalleryGrid(this), this, 340, 320, 320, 150, L"表格");

    auto* simple = Put(new ui::TComboBox(this), this, 8, 342, 150, 128, L"简单下拉框：列表一直显示");
    simple->SetStyle(ui::TComboBoxStyle::csSimple);
    simple->SetBounds(8, 342, 150, 128);
    for (const wchar_t* name : kFontNames) simple->Items().Add(name);
    simple->ItemsChanged();
}

void TGalleryForm::BuildContainers()
{
    const auto tabs = [this](DWORD side, int x, int y, int w, int h, const wchar_t* hint) {
        auto* pages = Put(new TStyled<ui::TPageControl>(this, side), this, x, y, w, h, hint);
        for (const wchar_t* caption : {L"快速整理", L"资料管理", L"设置"}) {
            auto* sheet = new ui::TTabSheet(this);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->SetActivePageIndex(0);
        return pages;
    };
    auto* top = tabs(0, 672, 4, 320, 150, L"页面控件：标签页带关闭框");
    top->SetTag(kCloseBoxTag);
    auto* raised = Put(new ui::TPanel(this), top->Pages(0), 10, 10, 140, 60, L"凸起的面板");
    raised->SetCaption(L"凸起面板");
    auto* sunk = Put(new ui::TPanel(this), top->Pages(0), 160, 10, 140, 60, L"凹下的面板");
    sunk->SetCaption(L"凹下面板");
    sunk->SetBevelOuter(ui::TPanelBevel::bvLowered);
    tabs(TCS_BOTTOM, 672, 160, 320, 100, L"标签在下");
    tabs(TCS_VERTICAL | TCS_MULTILINE, 672, 266, 155, 124, L"标签在左");
    tabs(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 837, 266, 155, 124, L"标签在右");

    auto* box = Put(new ui::TGroupBox(this), this, 672, 396, 320, 74, L"分组框");
    box->SetCaption(L"分组框");
    auto* flat = Put(new ui::TPanel(this), box, 10, 22, 300, 42, L"无边的面板");
    flat->SetCaption(L"无边面板");
    flat->SetBevelOuter(ui::TPanelBevel::bvNone);
}

void TGalleryForm::BuildBars()
{
    auto* track = Put(new ui::TTrackBar(this), this, 8, 480, 320, 34, L"水平滑块");
    track->SetRange(0, 100);
    track->SetPosition(35);
    auto* ticks = Put(new TStyled<ui::TTrackBar>(this, TBS_BOTH), this, 340, 480, 320, 40, L"两边刻度的滑块");
    ticks->SetRange(0, 20);
    ticks->SetPosition(14);
    auto* upright = Put(new TStyled<ui::TTrackBar>(this, TBS_VERT), this, 958, 480, 34, 170, L"竖直滑块");
    upright->SetRange(0, 100);
    upright->SetPosition(60);

    auto* progress = Put(new ui::TProgressBar(this), this, 8, 524, 320, 18, L"进度条");
    progress->SetRange(0, 100);
    progress->SetPosition(60);
    Put(new ui::TProgressBar(this), this, 8, 550, 320, 18, L"空的进度条")->SetRange(0, 100);
    auto* vertical = Put(new TStyled<ui::TProgressBar>(this, PBS_VERTICAL), this, 920, 480, 20, 170, L"竖直进度条");
    vertical->SetRange(0, 100);
    vertical->SetPosition(50);

    Put(new ui::TMediaPlayer(this), this, 340, 532, 320, 30, L"媒体播放器");

    auto* status = Put(new ui::TStatusBar(this), this, 0, 0, 0, 19, L"状态栏");
    status->SetAlign(ui::TAlign::alBottom);
    status->SetSimpleText(L"就绪");
    status->AddPanel(L"就绪", 200);
    status->AddPanel(L"字数：1024", 220);
    status->AddPanel(L"00:01:23", 0);
}

void TGalleryForm::BuildSkin(const std::wstring& package)
{
    skin_ = new skin::TSkinData(this);
    using enum skin::TSkinControlType;
    skin_->SetActive(true);
    skin_->SkinControls = {xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
                           xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton,
                           xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcSpin};
    if (package.empty()) {
        if (!skin_->ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM"))
            throw std::runtime_error("the default skin is missing from the program");
    } else {
        skin_->SetSkinFile(package);
        if (skin_->SkinEmpty()) throw std::runtime_error("the package is not a readable skin");
    }
}

}  // namespace gallery
