#include "skin/controls/Classify.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "skin/controls/BarPainters.h"
#include "skin/controls/BoxPainters.h"
#include "skin/controls/ButtonSkins.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/PlayerPainter.h"
#include "skin/controls/SkinControl.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Grids.h"
#include "ui/StdCtrls.h"

namespace skin {

namespace {

using T = TSkinControlType;
using K = TPainterKind;

std::wstring Upper(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towupper(c));
    return out;
}

std::wstring Lower(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

template <class C>
bool Is(const ui::TControl& control)
{
    return dynamic_cast<const C*>(&control) != nullptr;
}

bool HasTabsElement(const TSkinData& skin) { return skin.Elements().Tabs != nullptr; }

TClassification Row(int row, K kind, bool ownsColor = false)
{
    TClassification c;
    c.Row = row;
    c.Kind = kind;
    c.OwnsColor = ownsColor;
    return c;
}

HWND WindowOf(const ui::TControl& control)
{
    const auto* windowed = dynamic_cast<const ui::TWinControl*>(&control);
    return windowed ? windowed->WindowHandle() : nullptr;
}

bool HasScrollBars(const ui::TControl& control)
{
    if (HWND w = WindowOf(control)) {
        const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL)) return true;
    }
    return Is<ui::TMemo>(control);
}

// The class table, first matching row; rows whose option is off fall through.
TClassification ClassTable(const ui::TControl& control, const std::wstring& n, const TSkinData& skin)
{
    const auto on = [&](T member) { return skin.SkinControls.Contains(member); };
    const bool tabs = on(T::xcTab) && HasTabsElement(skin);
    if (Is<ui::TCustomTabControl>(control) && tabs) {
        if (const auto* pages = dynamic_cast<const ui::TPageControl*>(&control))
            return Row(1, pages->Style() == ui::TTabStyle::tsTabs ? K::Tab : K::TabButtons);
        return Row(1, K::TabControl);
    }
    if (n == L"TTABSET" && tabs) return Row(4, K::Tab31);
    if (Is<ui::TTabSheet>(control) && tabs) return Row(5, K::TabSheet);
    if (n == L"TTABBEDNOTEBOOK" && tabs) return Row(6, K::Tab);
    if (n == L"TMVCPANEL") {
        TClassification c = Row(7, K::None);
        c.ClassifyChildren = true;
        return c;
    }
    if (Is<ui::THeaderControl>(control) && on(T::xcPanel)) return Row(8, K::Header);
    if (Is<ui::TCustomCheckBox>(control) && on(T::xcCheckBox)) return Row(9, K::CheckBox);
    if (Is<ui::TTrackBar>(control) && on(T::xcTrackBar)) return Row(10, K::TrackBar);
    if ((n == L"TUPDOWN" || n == L"TSPINBUTTON") && on(T::xcSpin)) return Row(11, K::UpDown);
    if (n == L"TMEDIAPLAYER" && on(T::xcButton)) return Row(12, K::MediaPlayer);
    if (Is<ui::TCustomRadioGroup>(control) && on(T::xcRadioButton)) {
        TClassification c = Row(13, K::GroupBox, true);
        c.ChildKind = K::RadioButton;
        return c;
    }
    if (n == L"TDBNAVIGATOR" && on(T::xcPanel)) {
        TClassification c = Row(14, K::Box, true);
        c.ClassifyChildren = true;
        return c;
    }
    if ((n == L"TRZDBCHECKBOX" || n == L"TRZCHECKBOX") && on(T::xcCheckBox)) return Row(15, K::ObjImageCheck, true);
    if ((n == L"TRZRADIOBUTTON" || n == L"TRZDBRADIOBUTTON") && on(T::xcRadioButton)) return Row(16, K::ObjImageRadio, true);
    if ((n == L"TCXDBCHECKBOX" || n == L"TCXCHECKBOX") && on(T::xcCheckBox)) return Row(17, K::ObjImageCx, true);
    if (Is<ui::TCustomGroupBox>(control) && on(T::xcPanel)) {
        TClassification c = Row(18, K::GroupBox);
        c.ClassifyChildren = true;
        return c;
    }
    if (Is<ui::TRadioButton>(control) && on(T::xcRadioButton)) return Row(19, K::RadioButton);
    if (Is<ui::TStatusBar>(control) && on(T::xcStatusBar)) return Row(21, K::StatusBar);
    if (Is<ui::TProgressBar>(control) && on(T::xcProgress)) return Row(22, K::Progress);
    if (n == L"TTNTCOMBOBOX" && on(T::xcCombo)) return Row(24, K::ComboBox);
    if (Is<ui::TComboBox>(control) && on(T::xcCombo)) return Row(25, K::ComboBox);
    if (const auto* picker = dynamic_cast<const ui::TDateTimePicker*>(&control); picker && on(T::xcEdit)) {
        const bool plain = picker->DateMode() == ui::TDTDateMode::dmUpDown || picker->Kind() == ui::TDateTimeKind::dtkTime;
        return Row(26, plain ? K::Edit : K::DateTime);
    }
    if (n == L"TRICHEDIT" && on(T::xcScrollbar)) return Row(27, K::Scrollbar);
    if ((n == L"TWWDBRICHEDIT" || n == L"TDXDBMEMO") && on(T::xcScrollbar)) return Row(28, K::Scrollbar);
    if (Is<ui::TBitBtn>(control)) return Row(29, on(T::xcBitBtn) ? K::BitButton : K::None);
    if (Is<ui::TSpeedButton>(control) && on(T::xcSpeedButton)) return Row(30, K::SpeedButton);
    if (Is<ui::TCustomPanel>(control) && on(T::xcPanel)) {
        TClassification c = Row(31, K::Box, true);
        c.ClassifyChildren = true;
        return c;
    }
    if ((n == L"TDXTREELIST" || n == L"TDXDBTREELIST" || n == L"TDXDBGRID") && on(T::xcScrollbar))
        return Row(32, K::Scrollbar);
    if (Is<ui::TListView>(control) && on(T::xcScrollbar)) return Row(33, K::ListView);
    if (Is<ui::TCustomMemo>(control) && on(T::xcScrollbar)) return Row(34, K::Scrollbar);
    if (Is<ui::TCustomGrid>(control) && on(T::xcScrollbar)) return Row(35, K::Scrollbar);
    if (HasScrollBars(control) && on(T::xcScrollbar)) return Row(36, K::Scrollbar);
    if (Is<ui::TButton>(control) && on(T::xcButton)) return Row(37, K::Button);
    if (Is<ui::TCustomEdit>(control) && on(T::xcEdit)) return Row(38, K::Edit);
    if (n == L"TDCEDIT" || n == L"TDCDBEDIT") {
        const std::int64_t buttons = ui::GetIntProp(&control, L"NumButtons");
        if (buttons == 1 && on(T::xcCombo)) return Row(39, K::ComboBox);
        if (buttons == 0 && on(T::xcEdit)) return Row(39, K::Edit);
        return Row(39, K::None);
    }
    if (Is<ui::TCustomForm>(control)) {
        TClassification c = Row(41, K::Box, true);
        c.OwnedComponents = true;
        return c;
    }
    return {};
}

bool IsContainer(const ui::TControl& control)
{
    return Is<ui::TCustomForm>(control) || Is<ui::TCustomPanel>(control) || Is<ui::TCustomGroupBox>(control) ||
           Is<ui::TTabSheet>(control);
}

void SkinBareChildren(TControlClassifier& classifier, HWND container)
{
    for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) && !ui::FindControl(child)) classifier.SkinWindowByClass(child);
}

}  // namespace

bool MapThirdParty(const std::wstring& upperClass, const ui::TControl& control, const TSkinData& skin,
                   TClassification& out)
{
    const std::wstring key = Lower(upperClass) + L"=";
    const ui::TStringList& lines = skin.Skin3rd();
    std::wstring kind;
    bool found = false;
    for (int i = 0; i < lines.Count() && !found; ++i) {
        const std::wstring line = Lower(lines.At(i));
        if (!line.starts_with(key)) continue;
        kind = line.substr(key.size(), 50);
        found = true;
    }
    if (!found) return false;
    out = {};
    out.Row = -1;
    const auto on = [&](T member) { return skin.SkinControls.Contains(member); };
    const auto pick = [&](bool condition, K painter, bool ownsColor = false) {
        if (!condition) return;
        out.Kind = painter;
        out.OwnsColor = ownsColor;
    };
    const bool trz = upperClass.find(L"TRZ") != std::wstring::npos;
    if (kind == L"combobox") pick(on(T::xcCombo), K::ComboBox);
    else if (kind == L"comboboxex") pick(on(T::xcCombo), K::ComboBoxEx);
    else if (kind == L"edit") {
        // Only an edit with a border of its own gets the edit painter.
        HWND w = WindowOf(control);
        RECT window{}, client{};
        if (w && GetWindowRect(w, &window) && GetClientRect(w, &client))
            pick(on(T::xcEdit) && (window.right - window.left != client.right || window.bottom - window.top != client.bottom),
                 K::Edit);
    }
    else if (kind == L"radiobutton") pick(on(T::xcRadioButton), K::RadioButton);
    else if (kind == L"panel") pick(on(T::xcPanel), K::Box, true);
    else if (kind == L"trackbar") pick(on(T::xcButton), K::TrackBar);
    else if (kind == L"button") pick(on(T::xcButton), K::Button);
    else if (kind == L"datetimepicker") pick(on(T::xcCombo), K::DateTime);
    else if (kind == L"mediaplayer") pick(on(T::xcButton), K::MediaPlayer);
    else if (kind == L"bitbtn")
        pick(on(T::xcButton),
             key == L"tcxbutton=" && Lower(ui::GetEnumPropText(&control, L"Kind")) == L"cxbkdropdownbutton" ? K::MenuButton
                                                                                                             : K::BitButton);
    else if (kind == L"pngbitbtn") pick(on(T::xcButton), K::PngBitButton);
    else if (kind == L"pngspeedbutton") pick(on(T::xcButton), K::PngSpeedButton);
    else if (kind == L"menubtn") pick(on(T::xcButton), K::MenuButton);
    else if (kind == L"speedbutton") pick(on(T::xcSpeedButton), K::SpeedButton);
    else if (kind == L"tab") pick(on(T::xcTab) && HasTabsElement(skin), K::Tab);
    else if (kind == L"progress") pick(on(T::xcProgress), K::Progress);
    else if (kind == L"scrollbar") {
        pick(on(T::xcScrollbar), K::Scrollbar);
        out.ClassifyChildren = on(T::xcScrollbar);
    }
    else if (kind == L"singlescrollbar") pick(on(T::xcScrollbar), K::ScrollbarSingle);
    else if (kind == L"embedscrollbar") out.EmbeddedScrollbars = on(T::xcScrollbar);
    else if (kind == L"container") out.ClassifyChildren = true;
    else if (kind == L"groupbox") pick(on(T::xcGroupBox), K::GroupBox, true);
    else if (kind == L"advpagecontrol") pick(on(T::xcTab), K::AdvPage, true);
    else if (kind == L"radiogroup") {
        if (on(T::xcGroupBox) && on(T::xcRadioButton)) {
            out.ChildKind = trz ? K::ObjImageRadio : K::RadioButton;
            pick(true, K::GroupBox, true);
        }
    }
    else if (kind == L"checkgroup" && on(T::xcPanel)) {
        if (on(T::xcRadioButton)) out.ChildKind = trz ? K::ObjImageCheck : K::CheckBox;
        pick(on(T::xcGroupBox), K::GroupBox, true);
    }
    else if (kind == L"checkbox") pick(on(T::xcCheckBox), K::CheckBox);
    return true;
}

TClassification ChooseForControl(const ui::TControl& control, const TSkinData& skin)
{
    const std::wstring n = Upper(control.ClassName());
    TClassification out;
    if (MapThirdParty(n, control, skin, out)) return out;
    if (n == L"TDBCOMBOBOXEH" || n == L"TFRDESIGNERPAGE" || n == L"TFRPBOX") return {.Row = -2};
    // Labels have windows here, but as graphic controls they are drawn by no painter.
    if (Is<ui::TCustomLabel>(control)) return {.Row = -2};
    return ClassTable(control, n, skin);
}

TClassification ChooseForWindow(HWND window, const TSkinData& skin)
{
    wchar_t buffer[101] = {};
    GetClassNameW(window, buffer, 101);
    const std::wstring c = Lower(buffer);
    const LONG_PTR s = GetWindowLongPtrW(window, GWL_STYLE);
    const auto on = [&](T member) { return skin.SkinControls.Contains(member); };
    TClassification out;
    if (c == L"button" && (s & 0x0B) != 0x0B) {
        if ((s & 7) == 7 || (s & 0x80) == 0x80) return out;
        if ((s & 3) == 3 || (s & 2) == 2 || (s & 5) == 5) out.Kind = on(T::xcCheckBox) ? K::CheckBox : K::None;
        else if ((s & 9) == 9 || (s & 4) == 4) out.Kind = on(T::xcRadioButton) ? K::RadioButton : K::None;
        else out.Kind = on(T::xcButton) ? K::Button : K::None;
        return out;
    }
    const bool sizeBox = (s & 0x00010000) != 0;
    if (c == L"combobox") {
        out.Kind = on(T::xcCombo) && (s & 3) != CBS_SIMPLE ? K::ComboBox : K::None;
        // A simple combo box's list is a child window of its own, with its own bars.
        out.ClassifyChildren = (s & 3) == CBS_SIMPLE;
    }
    else if (c == L"comboboxex32") out.Kind = on(T::xcCombo) ? K::ComboBox : K::None;
    else if (c == L"scrollbar") {
        // Size boxes and grips get the sizer; a real scroll bar is covered by its overlay.
        if (s & (SBS_SIZEBOX | SBS_SIZEGRIP)) out.Kind = !sizeBox ? K::Sizer : K::None;
        else out.Kind = on(T::xcScrollbar) ? K::ScrollControl : K::None;
    }
    // Lists keep overlays over whatever bars they show, now or later.
    else if (c == L"listbox" || c == L"syslistview32") out.Kind = on(T::xcScrollbar) ? K::Scrollbar : K::None;
    // The list of a combo box: only a simple one's is a child; a drop-down's has its painter.
    else if (c == L"combolbox") out.Kind = on(T::xcScrollbar) && (s & WS_CHILD) ? K::Scrollbar : K::None;
    else if (c == L"msctls_updown32") out.Kind = on(T::xcSpin) ? K::UpDown : K::None;
    else if (c == L"systreeview32") out.Kind = K::None;
    else if (c == L"#32770") {
        if (!sizeBox) {
            out.ClassifyChildren = true;
            out.Kind = K::BoxH;
        }
    }
    else if (c == L"tpanel" || c == L"ttntpanel.unicodeclass" || c == L"ttntsilentpaintpanel.unicodeclass")
        out.ClassifyChildren = true;
    else if (c == L"tcheckbox") out.Kind = on(T::xcCheckBox) ? K::CheckBox : K::None;
    else if (c == L"tcombobox") out.Kind = on(T::xcCombo) ? K::ComboBox : K::None;
    else if (c == L"tbutton") out.Kind = on(T::xcButton) ? K::Button : K::None;
    else if (c == L"tprogressbar") out.Kind = K::Progress;
    else if (c == L"systabcontrol32") out.Kind = on(T::xcTab) && !(s & 0x2000) ? K::Tab : K::None;
    else if (c == L"toolbarwindow32") out.Kind = K::BoxH;
    else if (c == L"edit") out.Kind = on(T::xcEdit) ? K::Edit : K::None;
    return out;
}

TSkinControl* CreatePainter(TPainterKind kind, ui::TComponent* owner)
{
    switch (kind) {
    case K::Button: return new TSkinButton(owner);
    case K::BitButton: return new TSkinBitButton(owner);
    case K::PngBitButton: {
        auto* painter = new TSkinBitButton(owner);
        painter->GlyphPropName = L"PngImage";
        return painter;
    }
    case K::SpeedButton: return new TSkinSpeedButton(owner);
    case K::PngSpeedButton: {
        auto* painter = new TSkinSpeedButton(owner);
        painter->GlyphPropName = L"PngImage";
        return painter;
    }
    case K::MenuButton: return new TSkinMenuButton(owner);
    case K::CheckBox: return new TSkinCheckBox(owner);
    case K::RadioButton: return new TSkinRadioButton(owner);
    case K::ObjImageCheck: return new TSkinObjImage(owner, 1);
    case K::ObjImageRadio: return new TSkinObjImage(owner, 2);
    case K::ObjImageCx: return new TSkinObjImage(owner, 3);
    // A framework control's bars, or (owned by the form controller) a bare window's.
    case K::Scrollbar:
        if (dynamic_cast<ui::TControl*>(owner)) return new TSkinScrollbar(owner);
        return new TSkinScrollbarH(owner);
    case K::ScrollbarSingle: return new TSkinScrollbar(owner, true);
    case K::ListView: return new TSkinListView(owner);
    case K::ScrollControl: return new TSkinScControl(owner);
    case K::Edit: return new TSkinEdit(owner);
    case K::ComboBox: return new TSkinComBox(owner);
    case K::ComboBoxEx: return new TSkinComBox(owner, true);
    case K::UpDown: return new TSkinUpDown(owner);
    case K::DateTime: return new TSkinDateTime(owner);
    case K::Box: return new TSkinBox(owner);
    case K::BoxH: return new TSkinBoxH(owner);
    case K::GroupBox: return new TSkinGroupBox(owner);
    case K::TabSheet: return new TSkinTabSheet(owner);
    case K::Sizer: return new TSkinSizer(owner);
    case K::Tab: return new TSkinTab(owner);
    case K::TabControl: return new TSkinTab(owner, true);
    case K::TabButtons: return new TSkinTabBtn(owner);
    case K::Tab31: return new TSkinTab31(owner);
    case K::AdvPage: return new TSkinAdvPage(owner);
    case K::StatusBar: return new TSkinStatusBar(owner);
    case K::Header: return new TSkinHeader(owner);
    case K::Progress: return new TSkinProgress(owner);
    case K::TrackBar: return new TSkinTrackBar(owner);
    case K::MediaPlayer: return new TSkinMP(owner);
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// TControlClassifier

TControlClassifier::TControlClassifier(TWinSkinForm& form) : form_(form), skin_(*form.SkinData()) {}

void TControlClassifier::SkinAllControls()
{
    form_.PurgeDeadPainters();
    ui::TCustomForm* form = form_.Form();
    if (!form) return;
    SkinOwnedComponents(*form);
    std::vector<ui::TWinControl*> list;
    form->GetTabOrderList(list);
    for (ui::TWinControl* control : list)
        if (!IsSkipped(*control)) ClassifyControl(*control, form);
    // Windows of the system's classes that the program put on the form or on one of its
    // containers have no framework control: the window route serves them.
    SkinBareChildren(*this, form->Handle());
    for (ui::TWinControl* control : list)
        if (IsContainer(*control) && control->WindowHandle()) SkinBareChildren(*this, control->WindowHandle());
}

void TControlClassifier::SkinOwnedComponents(ui::TComponent& component)
{
    for (int i = 0; i < component.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<ui::TControl*>(component.Components(i))) ClassifyControl(*control, &component);
}

void TControlClassifier::SkinChildren(ui::TWinControl& container)
{
    for (int i = 0; i < container.ControlCount(); ++i) ClassifyControl(*container.Controls(i), &container);
}

bool TControlClassifier::IsControlSkinned(const ui::TControl& control) const
{
    if (HWND w = WindowOf(control); w && SendMessageW(w, SKM_PROBE, 0, 0) == 1) return true;
    const auto& painters = form_.Painters();
    return std::any_of(painters.begin(), painters.end(), [&](TSkinControl* p) { return p->Control() == &control; });
}

bool TControlClassifier::IsSkipped(const ui::TControl& control) const
{
    HWND w = WindowOf(control);
    return !w || control.Tag() == skin_.DisableTag || SendMessageW(w, SKM_PROBE, 0, 0) == 1 || FindPainterByWindow(w);
}

void TControlClassifier::PropagateDisableTag(ui::TControl& control) const
{
    auto* windowed = dynamic_cast<ui::TWinControl*>(&control);
    if (!windowed || windowed->ControlCount() == 0) return;
    const std::wstring name = Lower(control.ClassName());
    if (name.find(L"radiogroup") == std::wstring::npos && name.find(L"checkgroup") == std::wstring::npos) return;
    for (int i = 0; i < windowed->ControlCount(); ++i) windowed->Controls(i)->SetTag(skin_.DisableTag);
}

void TControlClassifier::ClassifyControl(ui::TControl& control, ui::TComponent* container)
{
    if (control.Tag() == skin_.DisableTag) {
        PropagateDisableTag(control);
        return;
    }
    if (!control.Parent() || IsControlSkinned(control)) return;
    const std::wstring n = Upper(control.ClassName());
    if (auto* windowed = dynamic_cast<ui::TWinControl*>(&control)) {
        try {
            windowed->HandleNeeded();
        } catch (...) {
            return;  // a control without a window is left as it is
        }
    }
    if (skin_.OnSkinControl) {
        ui::TComponent* skinned = nullptr;
        skin_.OnSkinControl(&form_, &skin_, dynamic_cast<ui::TControl*>(container), &control, n, skinned);
        if (skinned) {
            if (auto* painter = dynamic_cast<TSkinControl*>(skinned)) {
                const auto& painters = form_.Painters();
                if (std::find(painters.begin(), painters.end(), painter) == painters.end())
                    painter->Init(&form_, &skin_, painter->OwnsColor());
            }
            if (auto* panel = dynamic_cast<ui::TCustomPanel*>(&control)) SkinChildren(*panel);
            return;
        }
    }
    Attach(ChooseForControl(control, skin_), control);
}

void TControlClassifier::Attach(const TClassification& choice, ui::TControl& control)
{
    auto* windowed = dynamic_cast<ui::TWinControl*>(&control);
    if (choice.ChildKind != K::None && windowed) {
        for (int i = 0; i < windowed->ControlCount(); ++i) {
            ui::TControl* child = windowed->Controls(i);
            if (IsControlSkinned(*child) || child->Tag() == skin_.DisableTag) continue;
            if (TSkinControl* painter = CreatePainter(choice.ChildKind, child)) painter->Init(&form_, &skin_, false);
        }
    }
    // Group boxes and panels: the children are skinned before the container.
    if (choice.ClassifyChildren && windowed) SkinChildren(*windowed);
    if (choice.EmbeddedScrollbars && windowed) SkinEmbeddedScrollbars(windowed->Handle());
    if (TSkinControl* painter = CreatePainter(choice.Kind, &control)) painter->Init(&form_, &skin_, choice.OwnsColor);
    if (choice.OwnedComponents) SkinOwnedComponents(control);
}

void TControlClassifier::SkinChildWindows(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SkinWindowByClass(child);
}

void TControlClassifier::SkinWindowByClass(HWND window)
{
    if (!window || FindPainterByWindow(window)) return;
    const TClassification choice = ChooseForWindow(window, skin_);
    if (choice.ClassifyChildren) SkinChildWindows(window);
    AttachToWindow(choice.Kind, window);
}

void TControlClassifier::AttachToWindow(TPainterKind kind, HWND window)
{
    if (TSkinControl* painter = CreatePainter(kind, &form_)) painter->InitByHandle(window, &skin_, &form_);
}

void TControlClassifier::SkinEmbeddedScrollbars(HWND container)
{
    for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (!(style & WS_CHILD) || FindPainterByWindow(child)) continue;
        if (ui::TControl* control = ui::FindControl(child)) {
            if (IsControlSkinned(*control) || control->Tag() == skin_.DisableTag || !HasScrollBars(*control)) continue;
            if (TSkinControl* painter = CreatePainter(K::Scrollbar, control)) painter->Init(&form_, &skin_, false);
            continue;
        }
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"scrollbar") == 0) {
            if (!(style & (SBS_SIZEBOX | SBS_SIZEGRIP))) AttachToWindow(K::ScrollControl, child);
        } else if (style & (WS_HSCROLL | WS_VSCROLL)) {
            AttachToWindow(K::Scrollbar, child);
        }
    }
}

TSkinControl* TControlClassifier::FindPainterByWindow(HWND window) const
{
    for (TSkinControl* painter : form_.Painters())
        if (painter->Window() == window) return painter;
    return nullptr;
}

}  // namespace skin
