// TSkinData: the non-visual component that owns the active skin. It keeps the compressed
// skin package (SkinStream or SkinFile), loads it into the skin elements, publishes which
// windows and controls are skinned and how, and asks the skin manager (SkinManagerLink.h)
// to skin, unskin or refresh the forms. Painters read the current skin through it.
//
// Form reading: BeginLoading(), the published properties, ReadSkinStream (or
// ReadSkinResource for a payload kept as a program resource), then Loaded().
//
// Also here: the platform operations the painters share (scroll-bar and combo-box
// information, mouse-leave tracking, ghosting switch, wide text drawing, the control behind
// a window), resolved from the system once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/data/SkinElements.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/SkinSettings.h"
#include "ui/Classes.h"
#include "ui/Component.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"

namespace ui {
class TControl;
class THintWindow;
}  // namespace ui

namespace skin {

class TSkinData;

using TOnFormSkin = std::function<void(ui::TObject* sender, const std::wstring& aName, bool& doSkin)>;
using TOnSkinControl =
    std::function<void(ui::TComponent* sender, TSkinData* skinData, ui::TControl* form, ui::TControl* control,
                       const std::wstring& controlClass, ui::TComponent*& skinnedControl)>;
using TOnSkinForm = std::function<void(ui::TObject* sender, HWND ahwnd, const std::wstring& aName)>;

struct ImageListCloser {
    void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
};
using ImageListHandle = ui::UniqueHandle<HIMAGELIST, ImageListCloser>;

// The glyphs of the system menu in SKINGLYPHS, in image-list order.
enum TSkinGlyph : int { sgRestore = 0, sgMaximize = 1, sgMinimize = 2, sgClose = 3 };

class TSkinData : public ui::TComponent {
public:
    explicit TSkinData(ui::TComponent* owner);
    ~TSkinData() override;

    std::wstring_view ClassName() const override { return L"TSkinData"; }

    // Published properties.
    bool Active() const { return active_; }
    void SetActive(bool value);
    std::int32_t DisableTag = 99;
    TSkinControlTypes SkinControls = kDefaultSkinControls;
    TSkinOptions Options = kDefaultSkinOptions;
    const ui::TStringList& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const ui::TStrings& lines) { skin3rd_.Assign(lines); }
    const std::wstring& SkinFile() const { return skin_file_; }
    void SetSkinFile(const std::wstring& path);
    // "(none)" at run time; there is no designer.
    std::wstring SkinStore() const { return L"(none)"; }
    TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
    std::wstring Version() const { return L"1.0.0"; }
    bool MenuUpdate = true;
    bool MenuMerge = false;
    TOnFormSkin OnFormSkin;
    ui::TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // By name, for the form reader and property-driven painters; Version and SkinStore
    // accept writes and ignore them.
    ui::PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const ui::PropValue& value) override;

    // The binary form property: a 32-bit length, then the package. A length of 0 or less
    // keeps the stored package; otherwise the package is stored and loaded at once.
    void ReadSkinStream(ui::TStream& stream);
    void WriteSkinStream(ui::TStream& stream) const;
    // A SkinStream payload kept as an RCDATA resource, read as the form reader reads the
    // property. False when there is no such resource or no skin could be loaded from it.
    bool ReadSkinResource(HINSTANCE instance, const wchar_t* name);
    const TBytes& StoredPackage() const { return package_; }

    void Loaded() override;
    // Loads the stored package; false when it is refused (the earlier skin stays).
    bool LoadSkinFromStream();
    // One bitmap of the description from the package being loaded, or an empty target.
    void LoadSkinBitmap(ui::TBitmap& target, std::string_view value);
    void ApplySkinChange();
    void DecideFormSkin(HWND window, const std::wstring& className, bool& doSkin);
    void FireSkinChanged();
    void ShowCaptionButtonHint(const RECT& rect, const std::wstring& text);
    void HideCaptionButtonHint();

    // Set until a description has been loaded completely; activation waits for it.
    bool SkinEmpty() const { return skin_empty_; }
    // Counts the descriptions loaded: what was drawn from an earlier one is out of date.
    unsigned Generation() const { return generation_; }
    // Cleared by the form controller while it changes a menu: frames are not painted then.
    bool FramePaint = true;
    HWND DecidingWindow() const { return deciding_window_; }

    TSkinElements& Elements() { return elements_; }
    const TSkinElements& Elements() const { return elements_; }
    ui::TColor Color(int slot) const { return elements_.Color(slot); }
    HBRUSH FaceBrush() const { return elements_.FaceBrush.get(); }
    const ui::TFont& CaptionFont() const { return caption_font_; }
    const ui::TBitmap& AppIconBitmap() const { return app_icon_; }
    HIMAGELIST Glyphs() const { return glyphs_.get(); }
    SIZE MaximizedSize() const { return maximized_size_; }
    bool CaptionHintShowing() const { return hint_showing_; }

private:
    void BuildAppIconBitmap();
    void MakeCaptionFont();

    bool active_ = false;
    ui::TStringList skin3rd_;
    std::wstring skin_file_;
    TBytes package_;
    bool skin_empty_ = true;
    unsigned generation_ = 0;
    TSkinElements elements_;
    // Only while a package is being loaded.
    TSkinReader* reader_ = nullptr;
    ui::TFont caption_font_;
    ui::TBitmap app_icon_;
    ImageListHandle glyphs_;
    SIZE maximized_size_{};
    std::unique_ptr<ui::THintWindow> hint_;
    bool hint_showing_ = false;
    HWND deciding_window_ = nullptr;
};

// Shared platform operations of the painters. The optional system functions are looked up
// once; without them the queries report failure and the requests do nothing.
bool HasScrollBarInfo();
bool SkinGetScrollBarInfo(HWND window, LONG object, SCROLLBARINFO& info);
void SkinTrackMouseLeave(HWND window);
bool SkinGetComboBoxInfo(HWND window, COMBOBOXINFO& info);
void SkinDisableProcessWindowsGhosting();
// DrawText of wide text, through the ANSI code page where the wide call is not supported.
int SkinDrawText(HDC dc, std::wstring_view text, RECT& rect, UINT format);
std::wstring AnsiToWide(std::string_view text);
// The framework control behind a window of this thread, or nullptr.
ui::TControl* SkinFindControl(HWND window);

}  // namespace skin
