// Common controls: tab and page controls with their tab sheets, the track bar, the date
// picker, the up-down, progress bar, status bar, header and list view (superclasses of the
// system's common control classes).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class TTabSheet;

enum class TTabStyle : std::uint8_t { tsTabs, tsButtons, tsFlatButtons };
inline constexpr std::wstring_view kTabStyleIdents[] = {L"tsTabs", L"tsButtons", L"tsFlatButtons"};
inline constexpr TEnumType TTabStyleType{L"TTabStyle", kTabStyleIdents};

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomTabControl"; }

    int TabHeight() const { return tab_height_; }
    void SetTabHeight(int height);
    TTabStyle Style() const { return style_; }
    // Tabs or buttons; a control already on screen is made anew.
    void SetStyle(TTabStyle style);
    // The area inside the tabs and border, in client coordinates.
    RECT DisplayRect();

    TNotifyEvent OnChange;

    PropValue GetProperty(std::wstring_view name) const override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void AlignControls(RECT& rect) override;
    virtual void TabChanged() {}

private:
    int tab_height_ = 0;
    TTabStyle style_ = TTabStyle::tsTabs;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* owner) : TCustomTabControl(owner) {}
    std::wstring_view ClassName() const override { return L"TPageControl"; }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    PropValue GetProperty(std::wstring_view name) const override;

protected:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTab(TTabSheet* page);
    void CreateWindowHandleDone() override;
    void TabChanged() override;

private:
    void RebuildTabs();

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    std::wstring_view ClassName() const override { return L"TTabSheet"; }

    TPageControl* PageControl() const { return page_control_; }
    void SetPageControl(TPageControl* control);
    int PageIndex() const;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    friend class TPageControl;
    void TextChanged() override;
    void VisibleChanged() override;

private:
    TPageControl* page_control_ = nullptr;
};

enum class TTickStyle : std::uint8_t { tsNone, tsAuto, tsManual };
inline constexpr std::wstring_view kTickStyleIdents[] = {L"tsNone", L"tsAuto", L"tsManual"};
inline constexpr TEnumType TTickStyleType{L"TTickStyle", kTickStyleIdents};

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TTrackBar"; }

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    void SetRange(int min, int max);
    int Position() const;
    // Moving the thumb from code is a change like the user's: OnChange runs.
    void SetPosition(int value);
    int ThumbLength() const { return thumb_length_; }
    void SetThumbLength(int value);
    TTickStyle TickStyle() const { return tick_style_; }
    void SetTickStyle(TTickStyle value);

    TNotifyEvent OnChange;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    void Changed();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int thumb_length_ = 20;
    TTickStyle tick_style_ = TTickStyle::tsAuto;
};

enum class TDateTimeKind : std::uint8_t { dtkDate, dtkTime };
enum class TDTDateMode : std::uint8_t { dmComboBox, dmUpDown };
inline constexpr std::wstring_view kDateTimeKindIdents[] = {L"dtkDate", L"dtkTime"};
inline constexpr TEnumType TDateTimeKindType{L"TDateTimeKind", kDateTimeKindIdents};
inline constexpr std::wstring_view kDTDateModeIdents[] = {L"dmComboBox", L"dmUpDown"};
inline constexpr TEnumType TDTDateModeType{L"TDTDateMode", kDTDateModeIdents};

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TDateTimePicker"; }

    SYSTEMTIME DateTime() const;
    void SetDateTime(const SYSTEMTIME& value);
    TDateTimeKind Kind() const { return kind_; }
    TDTDateMode DateMode() const { return date_mode_; }

    TNotifyEvent OnChange;

    PropValue GetProperty(std::wstring_view name) const override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    SYSTEMTIME value_{};
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateMode date_mode_ = TDTDateMode::dmComboBox;
};

// A common control that holds a position between Min and Max, kept here while it has no
// window and handed to it by its own messages.
class TRangeControl : public TWinControl {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Position() const;
    void SetPosition(int value);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    // The window's messages: the range (minimum in wParam, maximum in lParam), the position
    // written (in lParam when positionInLParam, else in wParam) and read.
    struct TRangeMessages {
        UINT SetRange;
        UINT SetPosition;
        bool PositionInLParam;
        UINT GetPosition;
    };
    TRangeControl(TComponent* owner, const TRangeMessages& messages) : TWinControl(owner), messages_(messages) {}
    void CreateWindowHandleDone() override;

    int position_ = 0;

private:
    void SendPosition() const;

    TRangeMessages messages_;
    int min_ = 0;
    int max_ = 100;
};

// Two arrows that step a number between Min and Max.
class TUpDown : public TRangeControl {
public:
    explicit TUpDown(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TUpDown"; }

    TNotifyEvent OnChanging;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TProgressBar : public TRangeControl {
public:
    explicit TProgressBar(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TProgressBar"; }

protected:
    void CreateParams(TCreateParams& params) override;
};

// A bar along the bottom of its parent: one text (SimpleText) while it has no panels or
// SimplePanel is set, else its panels side by side, the last one reaching the right edge.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TStatusBar"; }

    const std::wstring& SimpleText() const { return simple_text_; }
    void SetSimpleText(const std::wstring& text);
    bool SimplePanel() const { return simple_panel_; }
    void SetSimplePanel(bool value);
    // Appends a panel `width` pixels wide; returns its index.
    int AddPanel(const std::wstring& text, int width);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    const std::wstring& PanelText(int index) const { return panels_.at(static_cast<std::size_t>(index)).Text; }
    void SetPanelText(int index, const std::wstring& text);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    struct TPanel {
        std::wstring Text;
        int Width = 0;
    };
    bool ShowsSimple() const { return simple_panel_ || panels_.empty(); }
    void ApplyPanels();

    std::wstring simple_text_;
    bool simple_panel_ = false;
    std::vector<TPanel> panels_;
};

// Column titles side by side.
class THeaderControl : public TWinControl {
public:
    explicit THeaderControl(TComponent* owner);
    std::wstring_view ClassName() const override { return L"THeaderControl"; }

    // Appends a section; returns its index.
    int AddSection(const std::wstring& text, int width);
    int SectionCount() const;

protected:
    void CreateParams(TCreateParams& params) override;
};

enum class TViewStyle : std::uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
inline constexpr std::wstring_view kViewStyleIdents[] = {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"};
inline constexpr TEnumType TViewStyleType{L"TViewStyle", kViewStyleIdents};

// A list of items, shown as icons, a list or a report with columns.
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TListView"; }

    TViewStyle ViewStyle() const { return view_style_; }
    void SetViewStyle(TViewStyle value);
    void AddColumn(const std::wstring& caption, int width);
    // Appends an item with its first column's text; returns its index.
    int AddItem(const std::wstring& caption);
    int ItemCount() const;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TViewStyle view_style_ = TViewStyle::vsIcon;
};

}  // namespace ui
