// skintool gallery: one live window holding every kind of control the skin engine paints,
// skinned by the engine itself with a package (or the default skin), so a skin author sees
// the skin on real controls in every state. With --shot the window draws itself for a
// moment, writes a picture of the screen and closes.
// Windows only. Controls the framework has no class for are bare system windows, as a
// program would make them and as the engine's window route serves them.
#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "tools/skintool/Command.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Grids.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Timers.h"

namespace skintool {

namespace {

constexpr int kCloseBoxTag = 7777;

struct TGalleryOptions {
    std::wstring Package;  // empty: the default skin the program carries
    std::wstring Shot;     // empty: stay open until closed
};

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

class TGalleryForm : public ui::TForm {
public:
    TGalleryForm(ui::TComponent* owner, const TGalleryOptions& options) : TForm(owner), options_(options)
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
        BuildSkin();
        if (!options_.Shot.empty()) {
            shot_timer_ = new ui::TTimer(this);
            shot_timer_->SetInterval(2500);
            shot_timer_->OnTimer = [this](ui::TObject*) { TakeShot(); };
        }
    }

protected:
    // The system controls need the window they sit on.
    void CreateWindowHandleDone() override
    {
        TForm::CreateWindowHandleDone();
        BuildSystemControls();
    }

private:
    template <class Control>
    Control* Put(Control* control, ui::TWinControl* parent, int x, int y, int w, int h, const std::wstring& hint)
    {
        control->SetParent(parent);
        control->SetBounds(x, y, w, h);
        control->SetHint(hint);
        control->SetShowHint(true);
        return control;
    }

    HWND Native(HWND parent, const wchar_t* className, DWORD style, int x, int y, int w, int h,
                const wchar_t* text = L"", DWORD exStyle = 0)
    {
        const HWND window = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!window) throw std::runtime_error("cannot create a control of a system class");
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
        return window;
    }

    void BuildMenus()
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

    void BuildButtons()
    {
        auto* group = Put(new ui::TGroupBox(this), this, 8, 4, 320, 150, L"按钮与选择框");
        group->SetCaption(L"按钮与选择框");
        Put(new ui::TButton(this), group, 10, 20, 90, 26, L"普通按钮")->SetCaption(L"确定");
        auto* bit = Put(new ui::TBitBtn(this), group, 110, 20, 90, 26, L"位图按钮");
        bit->SetCaption(L"保存文档");
        auto* off = Put(new ui::TButton(this), group, 210, 20, 90, 26, L"禁用的按钮");
        off->SetCaption(L"禁用");
        off->SetEnabled(false);
        static const wchar_t* captions[] = {L"未选", L"已选", L"不定", L"禁用"};
        for (int k = 0; k < 4; ++k) {
            auto* check = Put(new ui::TCheckBox(this), group, 10 + k * 75, 56, 70, 20, L"选择框");
            check->SetCaption(captions[k]);
            check->SetState(k == 1 || k == 3 ? ui::TCheckBoxState::cbChecked
                            : k == 2       ? ui::TCheckBoxState::cbGrayed
                                           : ui::TCheckBoxState::cbUnchecked);
            check->SetEnabled(k != 3);
        }
        group_ = group;
    }

    void BuildEdits()
    {
        auto* panel = Put(new ui::TPanel(this), this, 8, 160, 320, 150, L"面板：编辑框");
        panel->SetCaption(L"");
        panel->SetBevelOuter(ui::TPanelBevel::bvLowered);
        auto* edit = Put(new ui::TEdit(this), panel, 10, 10, 140, 21, L"编辑框");
        edit->SetText(L"一句话简述");
        auto* readOnly = Put(new ui::TEdit(this), panel, 160, 10, 140, 21, L"只读编辑框");
        readOnly->SetText(L"双击添加录音文件");
        readOnly->SetReadOnly(true);
        auto* disabled = Put(new ui::TEdit(this), panel, 10, 40, 140, 21, L"禁用的编辑框");
        disabled->SetText(L"禁用");
        disabled->SetEnabled(false);
        Put(new ui::TDateTimePicker(this), panel, 160, 40, 140, 21, L"日期选择");
        edits_ = panel;
    }

    void BuildLists()
    {
        auto* memo = Put(new ui::TMemo(this), this, 340, 4, 320, 150, L"备忘录：文字超出时出现滚动条");
        memo->SetScrollBars(ui::TScrollStyle::ssBoth);
        memo->SetWordWrap(false);
        std::wstring text;
        for (int line = 1; line <= 40; ++line)
            text += L"第" + std::to_wstring(line) + L"行：录音整理的文字，足够长，能出现水平滚动条。\r\n";
        memo->SetText(text);
        Put(new TGalleryGrid(this), this, 340, 320, 320, 150, L"表格");
    }

    void BuildContainers()
    {
        auto* pages = Put(new ui::TPageControl(this), this, 672, 4, 320, 150, L"页面控件：标签页带关闭框");
        pages->SetTag(kCloseBoxTag);
        for (const wchar_t* caption : {L"快速整理", L"资料管理", L"设置"}) {
            auto* sheet = new ui::TTabSheet(this);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->SetActivePageIndex(0);
        auto* inner = Put(new ui::TPanel(this), pages->Pages(0), 10, 10, 140, 60, L"凸起的面板");
        inner->SetCaption(L"凸起面板");
        auto* sunk = Put(new ui::TPanel(this), pages->Pages(0), 160, 10, 140, 60, L"凹下的面板");
        sunk->SetCaption(L"凹下面板");
        sunk->SetBevelOuter(ui::TPanelBevel::bvLowered);
        auto* box = Put(new ui::TGroupBox(this), this, 672, 396, 320, 74, L"分组框");
        box->SetCaption(L"分组框");
        auto* flat = Put(new ui::TPanel(this), box, 10, 22, 300, 42, L"无边的面板");
        flat->SetCaption(L"无边面板");
        flat->SetBevelOuter(ui::TPanelBevel::bvNone);
    }

    void BuildBars()
    {
        auto* track = Put(new ui::TTrackBar(this), this, 8, 480, 320, 34, L"水平滑块");
        track->SetRange(0, 100);
        track->SetPosition(35);
        auto* vertical = Put(new ui::TTrackBar(this), this, 960, 480, 34, 170, L"竖直滑块");
        vertical->SetRange(0, 100);
        vertical->SetPosition(60);
        vertical_track_ = vertical;
    }

    void BuildSystemControls()
    {
        const HWND form = Handle();
        const HWND group = group_->Handle();
        Native(group, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 10, 84, 70, 20, L"单选一");
        const HWND second = Native(group, L"BUTTON", BS_AUTORADIOBUTTON, 85, 84, 70, 20, L"单选二");
        SendMessageW(second, BM_SETCHECK, BST_CHECKED, 0);
        const HWND off = Native(group, L"BUTTON", BS_AUTORADIOBUTTON, 160, 84, 70, 20, L"禁用");
        EnableWindow(off, FALSE);
        Native(group, L"BUTTON", BS_PUSHBUTTON, 10, 112, 90, 26, L"系统按钮");
        Native(group, L"BUTTON", BS_AUTOCHECKBOX, 110, 114, 100, 20, L"系统选择框");

        if (vertical_track_) {
            const LONG style = GetWindowLongW(vertical_track_->Handle(), GWL_STYLE);
            SetWindowLongW(vertical_track_->Handle(), GWL_STYLE, style | TBS_VERT);
        }

        const HWND edits = edits_->Handle();
        const HWND buddy = Native(edits, L"EDIT", ES_NUMBER | ES_AUTOHSCROLL, 10, 72, 90, 21, L"5", WS_EX_CLIENTEDGE);
        const HWND spin = Native(edits, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 0);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
        SendMessageW(spin, UDM_SETRANGE32, 0, 60);
        SendMessageW(spin, UDM_SETPOS32, 0, 5);
        Native(edits, UPDOWN_CLASSW, UDS_HORZ, 110, 72, 40, 21);

        static const wchar_t* items[] = {L"墨笺", L"宋体", L"黑体", L"楷体", L"仿宋", L"隶书", L"幼圆", L"微软雅黑",
                                         L"新宋体", L"华文细黑", L"华文楷体", L"华文宋体"};
        const auto fill = [](HWND window, UINT add) {
            for (const wchar_t* item : items) SendMessageW(window, add, 0, reinterpret_cast<LPARAM>(item));
        };
        const HWND dropDown = Native(edits, L"COMBOBOX", CBS_DROPDOWN | WS_VSCROLL, 160, 72, 140, 200);
        fill(dropDown, CB_ADDSTRING);
        SendMessageW(dropDown, CB_SETCURSEL, 0, 0);
        const HWND dropList = Native(edits, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 160, 102, 140, 200);
        fill(dropList, CB_ADDSTRING);
        SendMessageW(dropList, CB_SETCURSEL, 2, 0);
        const HWND disabledCombo = Native(edits, L"COMBOBOX", CBS_DROPDOWNLIST, 10, 102, 140, 200);
        fill(disabledCombo, CB_ADDSTRING);
        SendMessageW(disabledCombo, CB_SETCURSEL, 1, 0);
        EnableWindow(disabledCombo, FALSE);

        const HWND simple = Native(form, L"COMBOBOX", CBS_SIMPLE | CBS_NOINTEGRALHEIGHT | WS_VSCROLL, 8, 320, 150, 150);
        fill(simple, CB_ADDSTRING);
        const HWND list = Native(form, L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | WS_BORDER, 170, 320, 158, 150);
        SendMessageW(list, LB_SETHORIZONTALEXTENT, 400, 0);
        for (int round = 0; round < 3; ++round) fill(list, LB_ADDSTRING);
        SendMessageW(list, LB_SETCURSEL, 3, 0);

        const HWND header = Native(form, WC_HEADERW, HDS_BUTTONS | HDS_HORZ, 340, 160, 320, 24);
        static const wchar_t* heads[] = {L"序号", L"日期", L"标题", L"语音文件"};
        for (int k = 0; k < 4; ++k) {
            HDITEMW column{};
            column.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            column.cxy = k == 2 ? 110 : 70;
            column.fmt = HDF_STRING | (k == 0 ? HDF_CENTER : HDF_LEFT);
            column.pszText = const_cast<wchar_t*>(heads[k]);
            SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&column));
        }
        const HWND sbar = Native(form, WC_SCROLLBARW, SBS_HORZ, 340, 192, 320, 17);
        SCROLLINFO range{sizeof range, SIF_ALL, 0, 100, 20, 30, 0};
        SetScrollInfo(sbar, SB_CTL, &range, TRUE);
        const HWND vbar = Native(form, WC_SCROLLBARW, SBS_VERT, 640, 215, 17, 95);
        SetScrollInfo(vbar, SB_CTL, &range, TRUE);

        const HWND listView = Native(form, WC_LISTVIEWW, LVS_REPORT | WS_BORDER, 340, 215, 290, 95);
        for (int k = 0; k < 3; ++k) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 100;
            column.pszText = const_cast<wchar_t*>(heads[k]);
            SendMessageW(listView, LVM_INSERTCOLUMNW, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&column));
        }
        for (int row = 0; row < 12; ++row) {
            LVITEMW entry{};
            entry.mask = LVIF_TEXT;
            entry.iItem = row;
            const std::wstring text = L"文档 " + std::to_wstring(row + 1);
            entry.pszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
        }

        // Tab controls with the tabs on each side.
        struct Side {
            DWORD style;
            int x, y, w, h;
        };
        static const Side sides[] = {{TCS_BOTTOM, 672, 160, 320, 100},
                                     {TCS_VERTICAL | TCS_MULTILINE, 672, 268, 155, 120},
                                     {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 837, 268, 155, 120}};
        static const wchar_t* tabs[] = {L"工作区", L"档案", L"选项"};
        for (const Side& side : sides) {
            const HWND tab = Native(form, WC_TABCONTROLW, side.style, side.x, side.y, side.w, side.h);
            for (int k = 0; k < 3; ++k) {
                TCITEMW entry{};
                entry.mask = TCIF_TEXT;
                entry.pszText = const_cast<wchar_t*>(tabs[k]);
                SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&entry));
            }
        }

        const HWND progress = Native(form, PROGRESS_CLASSW, 0, 8, 524, 320, 18);
        SendMessageW(progress, PBM_SETRANGE32, 0, 100);
        SendMessageW(progress, PBM_SETPOS, 60, 0);
        const HWND empty = Native(form, PROGRESS_CLASSW, 0, 8, 550, 320, 18);
        SendMessageW(empty, PBM_SETRANGE32, 0, 100);
        const HWND upright = Native(form, PROGRESS_CLASSW, PBS_VERTICAL, 920, 480, 20, 170);
        SendMessageW(upright, PBM_SETRANGE32, 0, 100);
        SendMessageW(upright, PBM_SETPOS, 50, 0);
        const HWND trackNative = Native(form, TRACKBAR_CLASSW, TBS_AUTOTICKS | TBS_BOTH, 340, 480, 320, 40);
        SendMessageW(trackNative, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
        SendMessageW(trackNative, TBM_SETPOS, TRUE, 14);

        const HWND status = Native(form, STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, 0, 0, 0);
        const int parts[] = {200, 420, -1};
        SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
        SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"就绪"));
        SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"字数：1024"));
        SendMessageW(status, SB_SETTEXTW, 2 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"00:01:23"));
    }

    void BuildSkin()
    {
        skin_ = new skin::TSkinData(this);
        using enum skin::TSkinControlType;
        skin_->SetActive(true);
        skin_->SkinControls = {xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
                               xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton,
                               xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcSpin};
        if (options_.Package.empty()) {
            if (!skin_->ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM"))
                throw std::runtime_error("the default skin is missing from the program");
        } else {
            skin_->SetSkinFile(options_.Package);
            if (skin_->SkinEmpty()) throw std::runtime_error("the package is not a readable skin");
        }
    }

    // The picture is of the screen, so the frame and any open popup are on it.
    void TakeShot()
    {
        shot_timer_->SetEnabled(false);
        RECT bounds{};
        GetWindowRect(Handle(), &bounds);
        ui::TBitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top, ui::TPixelFormat::pf24bit);
        const HDC screen = GetDC(nullptr);
        BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen, bounds.left, bounds.top,
               SRCCOPY);
        ReleaseDC(nullptr, screen);
        picture.SaveToFile(options_.Shot);
        Close();
    }

    TGalleryOptions options_;
    skin::TSkinData* skin_ = nullptr;
    ui::TPopupMenu* popup_ = nullptr;
    ui::TGroupBox* group_ = nullptr;
    ui::TPanel* edits_ = nullptr;
    ui::TTrackBar* vertical_track_ = nullptr;
    ui::TTimer* shot_timer_ = nullptr;
};

int Gallery(const std::vector<std::string>& args)
{
    TGalleryOptions options;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--shot" && k + 1 < args.size())
            options.Shot = std::filesystem::path(args[++k]).wstring();
        else if (options.Package.empty() && args[k].rfind("--", 0) != 0)
            options.Package = std::filesystem::path(args[k]).wstring();
        else
            return UsageError("gallery");
    }
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ui::TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(L"skintool gallery");
    // Before the window, so the engine sees it made and gives every window its look back first.
    skin::TSkinManagerInstallation skinManager;
    application.SetShowHint(true);
    auto* form = new TGalleryForm(&application, options);
    application.SetMainForm(form);
    form->FinishCreate();
    application.Run();
    return 0;
}

const TCommandRegistrar registrar({"gallery", "[package] [--shot picture.bmp]",
                                   "opens a window of every control kind, skinned with the package or the default "
                                   "skin; --shot writes a picture of it and closes (Windows)",
                                   Gallery});

}  // namespace

}  // namespace skintool

#endif
