// Common controls: tab and page controls with their tab sheets, the track bar and the date
// picker (superclasses of the system's common control classes).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class TTabSheet;

enum class TTabStyle : std::uint8_t { tsTabs, tsButtons, tsFlatButtons };

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomTabControl"; }

    int TabHeight() const { return tab_height_; }
    void SetTabHeight(int height);
    TTabStyle Style() const { return style_; }
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

}  // namespace ui
