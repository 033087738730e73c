#include "skin/data/SkinData.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/data/QuickIni.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

namespace skin {

namespace {

constexpr ui::TColor kMagenta = ui::RGBColor(255, 0, 255);
constexpr unsigned kCommandDelayMs = 250;

// Optional functions of the system's user-interface library.
struct TUserFunctions {
    using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
    using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    using GetComboBoxInfoFn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
    using DisableGhostingFn = void(WINAPI*)();

    GetScrollBarInfoFn GetScrollBarInfo = nullptr;
    TrackMouseEventFn TrackMouseEvent = nullptr;
    GetComboBoxInfoFn GetComboBoxInfo = nullptr;
    DisableGhostingFn DisableProcessWindowsGhosting = nullptr;

    TUserFunctions()
    {
        const HMODULE user = GetModuleHandleW(L"user32.dll");
        if (!user) return;
        GetScrollBarInfo = Resolve<GetScrollBarInfoFn>(user, "GetScrollBarInfo");
        TrackMouseEvent = Resolve<TrackMouseEventFn>(user, "TrackMouseEvent");
        GetComboBoxInfo = Resolve<GetComboBoxInfoFn>(user, "GetComboBoxInfo");
        DisableProcessWindowsGhosting = Resolve<DisableGhostingFn>(user, "DisableProcessWindowsGhosting");
    }

    template <typename Fn>
    static Fn Resolve(HMODULE module, const char* name)
    {
        // GetProcAddress hands back a generic function pointer; the signature is the caller's.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

const TUserFunctions& UserFunctions()
{
    static const TUserFunctions functions;
    return functions;
}

bool ReadWholeFile(const std::wstring& path, TBytes& bytes)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(std::filesystem::path(path), error)) return false;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

TSkinData::TSkinData(ui::TComponent* owner)
    : ui::TComponent(owner),
      glyphs_(ImageList_LoadImageW(GetModuleHandleW(nullptr), L"SKINGLYPHS", 16, 0, RGB(255, 255, 255), IMAGE_BITMAP,
                                   LR_CREATEDIBSECTION)),
      maximized_size_{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)},
      hint_(std::make_unique<ui::THintWindow>(nullptr))
{
    DefaultSkin3rd(skin3rd_);
    app_icon_.SetPixelFormat(ui::TPixelFormat::pf24bit);
}

TSkinData::~TSkinData()
{
    if (TSkinManagerLink* manager = SkinManager()) manager->UnregisterSkin(*this);
    HideCaptionButtonHint();
}

void TSkinData::SetActive(bool value)
{
    if (value == active_) return;
    active_ = value;
    if (Designing() || Loading()) return;
    TSkinManagerLink* manager = SkinManager();
    if (!manager) return;
    switch (SkinFormtype) {
    case TSkinFormType::sfMainform:
        if (value && skin_empty_) return;
        manager->SetCurrentSkin(*this);
        manager->ScheduleCommand(value ? TSkinCommand::Skin : TSkinCommand::Unskin, kCommandDelayMs);
        if (value) manager->SetStarted();
        break;
    case TSkinFormType::sfOnlyThisForm:
        manager->SetCurrentSkin(*this);
        if (value && skin_empty_) return;
        manager->ScheduleCommand(value ? TSkinCommand::Skin : TSkinCommand::Unskin, kCommandDelayMs);
        break;
    case TSkinFormType::sfDialog:
    case TSkinFormType::sfDLL:
        break;
    }
}

void TSkinData::SetSkinFile(const std::wstring& path)
{
    skin_empty_ = true;
    skin_file_ = path;
    TBytes bytes;
    if (!ReadWholeFile(path, bytes)) return;
    package_ = std::move(bytes);
    LoadSkinFromStream();
    ApplySkinChange();
}

namespace {
constexpr std::wstring_view kSkinFormTypeIdents[] = {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"};
constexpr ui::TEnumType TSkinFormTypeType{L"TSkinFormType", kSkinFormTypeIdents};
}  // namespace

ui::PropValue TSkinData::GetProperty(std::wstring_view name) const
{
    using ui::SameName;
    if (SameName(name, L"Active")) return ui::BoolProp(active_);
    if (SameName(name, L"DisableTag")) return std::int64_t{DisableTag};
    if (SameName(name, L"SkinControls")) return std::int64_t{SkinControls.Bits()};
    if (SameName(name, L"Options")) return std::int64_t{Options.Bits()};
    if (SameName(name, L"Skin3rd"))
        return static_cast<ui::TObject*>(const_cast<ui::TStringList*>(&skin3rd_));
    if (SameName(name, L"SkinFile")) return skin_file_;
    if (SameName(name, L"SkinStore")) return SkinStore();
    if (SameName(name, L"SkinFormtype")) return ui::EnumProp(TSkinFormTypeType, SkinFormtype);
    if (SameName(name, L"Version")) return Version();
    if (SameName(name, L"MenuUpdate")) return ui::BoolProp(MenuUpdate);
    if (SameName(name, L"MenuMerge")) return ui::BoolProp(MenuMerge);
    return ui::TComponent::GetProperty(name);
}

bool TSkinData::SetProperty(std::wstring_view name, const ui::PropValue& value)
{
    using ui::SameName;
    const auto* number = std::get_if<std::int64_t>(&value);
    const auto* text = std::get_if<std::wstring>(&value);
    if (SameName(name, L"Version") || SameName(name, L"SkinStore")) return true;
    if (SameName(name, L"SkinFile") && text) {
        SetSkinFile(*text);
        return true;
    }
    if (SameName(name, L"Skin3rd")) {
        const auto* object = std::get_if<ui::TObject*>(&value);
        const auto* lines = object ? dynamic_cast<const ui::TStrings*>(*object) : nullptr;
        if (!lines) return false;
        SetSkin3rd(*lines);
        return true;
    }
    if (!number) return ui::TComponent::SetProperty(name, value);
    if (SameName(name, L"Active")) SetActive(*number != 0);
    else if (SameName(name, L"DisableTag")) DisableTag = static_cast<std::int32_t>(*number);
    else if (SameName(name, L"SkinControls")) SkinControls = TSkinControlTypes::FromBits(static_cast<std::uint32_t>(*number));
    else if (SameName(name, L"Options")) Options = TSkinOptions::FromBits(static_cast<std::uint32_t>(*number));
    else if (SameName(name, L"SkinFormtype") && *number >= 0 && *number <= 3) SkinFormtype = static_cast<TSkinFormType>(*number);
    else if (SameName(name, L"MenuUpdate")) MenuUpdate = *number != 0;
    else if (SameName(name, L"MenuMerge")) MenuMerge = *number != 0;
    else return ui::TComponent::SetProperty(name, value);
    return true;
}

void TSkinData::ReadSkinStream(ui::TStream& stream)
{
    if (!skin::ReadSkinStream(stream, package_)) return;
    if (!Designing()) LoadSkinFromStream();
}

void TSkinData::WriteSkinStream(ui::TStream& stream) const { skin::WriteSkinStream(stream, package_); }

bool TSkinData::ReadSkinResource(HINSTANCE instance, const wchar_t* name)
{
    const HRSRC found = FindResourceW(instance, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    const HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data) return false;
    ui::TMemoryStream payload;
    payload.WriteBuffer(data, SizeofResource(instance, found));
    payload.SetPosition(0);
    ReadSkinStream(payload);
    return !skin_empty_;
}

bool TSkinData::LoadSkinFromStream()
{
    skin_empty_ = true;
    if (Designing()) return false;
    TSkinReader reader;
    if (!reader.ReadPackage(package_)) return false;
    TBytes description;
    std::string name;
    reader.FindFile(".ini", description, name);
    TQuickIni ini;
    ini.LoadFromStream(&description);
    reader_ = &reader;
    try {
        LoadSkinDescription(ini, [this](ui::TBitmap& target, std::string_view value) { LoadSkinBitmap(target, value); },
                            elements_);
    } catch (...) {
        reader_ = nullptr;
        throw;
    }
    reader_ = nullptr;
    skin_empty_ = false;
    ++generation_;
    return true;
}

void TSkinData::LoadSkinBitmap(ui::TBitmap& target, std::string_view value)
{
    const std::string name = SkinBitmapName(value);
    TBytes bytes;
    if (!name.empty() && reader_) reader_->GetFile(name, bytes);
    if (bytes.empty()) {
        target.SetSize(0, 0);
        return;
    }
    try {
        target.LoadFromBytes(bytes);
    } catch (const std::exception&) {
        // A damaged bitmap, or one too large to hold (memory, a graphics resource), is as good
        // as a missing one: the surface is left unskinned and the package still loads.
        target.SetSize(0, 0);
    }
}

void TSkinData::Loaded()
{
    ui::TComponent::Loaded();
    if (Designing()) return;
    if (!HasScrollBarInfo()) SkinControls.Exclude(TSkinControlType::xcScrollbar);
    TSkinManagerLink* manager = EnsureSkinManager();
    if (manager) manager->RegisterSkin(*this);
    MakeCaptionFont();

    if (SkinFormtype != TSkinFormType::sfMainform) {
        if (!manager) return;
        manager->SetEnabled(true);
        manager->SetStarted();
        auto* form = dynamic_cast<ui::TCustomForm*>(Owner());
        if (form && active_) manager->SkinWindowNow(form->Handle());
        return;
    }

    if (manager) manager->InstallHook();
    if (active_) {
        if (skin_empty_) {
            active_ = false;
        } else if (manager) {
            manager->SetCurrentSkin(*this);
            manager->ScheduleCommand(TSkinCommand::Skin, kCommandDelayMs);
        }
    }
    if (SkinControls.Contains(TSkinControlType::xcMainMenu))
        SkinControls.Exclude(TSkinControlType::xcMenuItem);
    else
        SkinControls.Exclude(TSkinControlType::xcSystemMenu);
    BuildAppIconBitmap();
}

void TSkinData::ApplySkinChange()
{
    if (Designing() || Loading()) return;
    if (!SkinManager()) Loaded();
    TSkinManagerLink* manager = SkinManager();
    if (!manager) return;
    manager->SetCurrentSkin(*this);
    manager->ReloadSkinData(*this);
    if (manager->Started()) manager->ScheduleCommand(TSkinCommand::Refresh, kCommandDelayMs);
}

void TSkinData::DecideFormSkin(HWND window, const std::wstring& className, bool& doSkin)
{
    deciding_window_ = window;
    if (OnFormSkin)
        OnFormSkin(this, className, doSkin);
    else
        doSkin = DefaultFormSkinDecision(className, SkinControls, doSkin);
}

void TSkinData::FireSkinChanged()
{
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ShowCaptionButtonHint(const RECT& rect, const std::wstring& text)
{
    if (!Options.Contains(TSkinOption::xoCaptionButtonHint) || hint_showing_) return;
    RECT place = hint_->CalcHintRect(500, text);
    OffsetRect(&place, rect.left, rect.top);
    hint_->ActivateHint(place, text);
    hint_showing_ = true;
}

void TSkinData::HideCaptionButtonHint()
{
    if (!hint_showing_) return;
    hint_->ReleaseHint();
    hint_showing_ = false;
}

void TSkinData::MakeCaptionFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        caption_font_.AssignLogFont(metrics.lfCaptionFont);
}

void TSkinData::BuildAppIconBitmap()
{
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    app_icon_.SetPixelFormat(ui::TPixelFormat::pf24bit);
    app_icon_.SetSize(cx, cy);
    const HDC dc = app_icon_.Canvas().Handle();
    const RECT all{0, 0, cx, cy};
    const ui::BrushHandle magenta(CreateSolidBrush(ui::ColorToColorRef(kMagenta)));
    FillRect(dc, &all, magenta.get());
    const HWND application = ui::Application() ? ui::Application()->Handle() : nullptr;
    if (!application) return;
    auto icon = reinterpret_cast<HICON>(SendMessageW(application, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(application, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;
    const ui::IconHandle copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0)));
    if (!copy) return;
    DrawIconEx(dc, 0, 0, copy.get(), cx, cy, 0, nullptr, DI_NORMAL);
    app_icon_.Transparent = true;
    app_icon_.SetTransparentColor(kMagenta);
}

bool HasScrollBarInfo() { return UserFunctions().GetScrollBarInfo != nullptr; }

bool SkinGetScrollBarInfo(HWND window, LONG object, SCROLLBARINFO& info)
{
    const auto query = UserFunctions().GetScrollBarInfo;
    info.cbSize = sizeof(info);
    return query && query(window, object, &info);
}

void SkinTrackMouseLeave(HWND window)
{
    const auto track = UserFunctions().TrackMouseEvent;
    if (!track) return;
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
    track(&request);
}

bool SkinGetComboBoxInfo(HWND window, COMBOBOXINFO& info)
{
    const auto query = UserFunctions().GetComboBoxInfo;
    info.cbSize = sizeof(info);
    return query && query(window, &info);
}

void SkinDisableProcessWindowsGhosting()
{
    if (const auto disable = UserFunctions().DisableProcessWindowsGhosting) disable();
}

int SkinDrawText(HDC dc, std::wstring_view text, RECT& rect, UINT format)
{
    const int length = static_cast<int>(text.size());
    SetLastError(0);
    const int height = DrawTextW(dc, text.data(), length, &rect, format);
    if (height != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return height;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), bytes, nullptr, nullptr);
    return DrawTextA(dc, ansi.data(), bytes, &rect, format);
}

std::wstring AnsiToWide(std::string_view text)
{
    const int length = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), chars);
    return wide;
}

ui::TControl* SkinFindControl(HWND window) { return ui::FindControl(window); }

}  // namespace skin
