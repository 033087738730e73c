// The skin component of the real main window: the default skin is read from the window's
// SkinStream while the window is built, the settings are those the window stores, its class
// list replaces the built-in one, and registration with the skin manager waits for the end
// of the building. The skin manager comes later; a recording stand-in takes its place.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/MainFormSkin.h"
#include "app/Unit1.h"
#include "skin/data/SkinData.h"
#include "support/ProcessDriver.h"
#include "ui/Exception.h"

namespace fs = std::filesystem;

namespace {

using skin::TSkinControlType;

class RecordingManager : public skin::TSkinManagerLink {
public:
    void RegisterSkin(skin::TSkinData&) override { Log("register"); }
    void UnregisterSkin(skin::TSkinData&) override { Log("unregister"); }
    void SetCurrentSkin(skin::TSkinData&) override { Log("current"); }
    void ScheduleCommand(skin::TSkinCommand command, unsigned delayMs) override
    {
        Log("command " + std::to_string(static_cast<int>(command)) + " after " + std::to_string(delayMs));
    }
    void SetEnabled(bool enabled) override { Log(enabled ? "enable" : "disable"); }
    void InstallHook() override { Log("hook"); }
    bool SkinWindowNow(HWND) override { return false; }
    void ReloadSkinData(skin::TSkinData&) override { Log("reload"); }
    bool Started() const override { return false; }
    void SetStarted() override { Log("started"); }

    std::vector<std::string> Take() { return std::exchange(calls_, {}); }

private:
    void Log(std::string call) { calls_.push_back(std::move(call)); }
    std::vector<std::string> calls_;
};

RecordingManager* g_recorder = nullptr;

std::vector<std::uint8_t> FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ResourceBytes(HMODULE module, const wchar_t* name)
{
    const HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data) return {};
    return {data, data + SizeofResource(module, found)};
}

// The kind the first matching line gives a class, as the control classification reads it;
// empty when no line names the class.
std::wstring KindOf(const ui::TStrings& lines, std::wstring className)
{
    const auto lower = [](std::wstring text) {
        std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
        return text;
    };
    const std::wstring key = lower(std::move(className)) + L"=";
    for (int k = 0; k < lines.Count(); ++k) {
        const std::wstring line = lower(lines[k]);
        if (line.starts_with(key)) return line.substr(key.size());
    }
    return {};
}

class MainWindowSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch_.emplace(L"mjzs-skin", true);  // the window opens its database here
        if (!ui::Application()) {
            auto* application = new ui::TApplication(nullptr);
            application->Initialize();
            application->SetTitle(app::kApplicationTitle);
        }
        ui::SetExceptionHandler([](const std::exception& failure) { ADD_FAILURE() << ui::ExceptionText(failure); });
        g_recorder = &recorder_;
        skin::SetSkinManager(nullptr);
        skin::SetSkinManagerFactory([]() -> skin::TSkinManagerLink* {
            skin::SetSkinManager(g_recorder);
            return g_recorder;
        });
    }
    void TearDown() override
    {
        delete form_;
        skin::SetSkinManagerFactory(nullptr);
        skin::SetSkinManager(nullptr);
        g_recorder = nullptr;
        scratch_.reset();
    }

    app::TMainForm1* Build()
    {
        form_ = new app::TMainForm1(ui::Application());
        return form_;
    }

    RecordingManager recorder_;
    app::TMainForm1* form_ = nullptr;
    std::optional<testing_support::ScratchFolder> scratch_;
};

TEST_F(MainWindowSkinTest, TheEmbeddedSkinIsLoadedWhileTheWindowIsBuilt)
{
    Build();
    skin::TSkinData* skin = form_->SkinData1;
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->Owner(), form_);
    EXPECT_EQ(form_->FindComponent(L"SkinData1"), skin);

    // Before the building ends the elements already exist, and nothing has been asked yet.
    EXPECT_FALSE(skin->SkinEmpty());
    EXPECT_TRUE(skin->Active());
    EXPECT_TRUE(recorder_.Take().empty());
    const skin::TSkinElements& e = skin->Elements();
    EXPECT_EQ(e.SkinName, "Inkpaper");
    EXPECT_FALSE(e.Buttons->Image.Empty());
    EXPECT_FALSE(e.Top->Image.Empty());
    ASSERT_TRUE(e.Tabs);
    EXPECT_FALSE(e.CaptionButtons.empty());

    // The stored package is the built default skin, and it came from the window's
    // SkinStream: writing the property back gives the embedded payload byte for byte.
    const std::vector<std::uint8_t> package = FileBytes(testing_support::WindowsPathOf(MJ_DEFAULT_SKIN_PACKAGE));
    ASSERT_FALSE(package.empty());
    EXPECT_EQ(skin->StoredPackage(), package);
    ui::TMemoryStream written;
    skin->WriteSkinStream(written);
    EXPECT_EQ(written.Bytes(), ResourceBytes(GetModuleHandleW(nullptr), L"SKINSTREAM"));

    form_->FinishCreate();
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"register", "hook", "current", "command 1 after 250"}));
    EXPECT_TRUE(skin->Active());
    EXPECT_EQ(skin->Elements().SkinName, "Inkpaper");
}

TEST_F(MainWindowSkinTest, WithoutASkinManagerTheSkinStillLoads)
{
    skin::SetSkinManagerFactory(nullptr);
    Build()->FinishCreate();
    const skin::TSkinData& skin = *form_->SkinData1;
    EXPECT_FALSE(skin.SkinEmpty());
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.Elements().SkinName, "Inkpaper");
    EXPECT_FALSE(skin::SkinManager());
    EXPECT_TRUE(recorder_.Take().empty());
}

TEST_F(MainWindowSkinTest, SettingsAreThoseTheWindowStores)
{
    Build()->FinishCreate();
    const skin::TSkinData* skin = form_->SkinData1;
    EXPECT_EQ(ui::GetOrdProp(skin, L"DisableTag"), 99);
    EXPECT_EQ(ui::GetOrdProp(skin, L"SkinFormtype"), 0);  // sfMainform
    EXPECT_EQ(ui::GetOrdProp(skin, L"MenuUpdate"), 1);
    EXPECT_EQ(ui::GetOrdProp(skin, L"MenuMerge"), 0);
    EXPECT_EQ(ui::GetStrProp(skin, L"SkinFile"), L"");
    EXPECT_EQ(skin->Options, (skin::TSkinOptions{skin::TSkinOption::xoPreview, skin::TSkinOption::xoToolbarBK,
                                                 skin::TSkinOption::xoCaptionButtonHint}));

    // Every kind but the spin buttons and the report designer; the menu items that the
    // window stores go when it is loaded, because the main menu is skinned.
    struct Member {
        TSkinControlType type;
        bool skinned;
    };
    const Member members[] = {
        {TSkinControlType::xcMainMenu, true},   {TSkinControlType::xcPopupMenu, true},
        {TSkinControlType::xcMenuItem, false},  {TSkinControlType::xcToolbar, true},
        {TSkinControlType::xcControlbar, true}, {TSkinControlType::xcCombo, true},
        {TSkinControlType::xcCheckBox, true},   {TSkinControlType::xcRadioButton, true},
        {TSkinControlType::xcProgress, true},   {TSkinControlType::xcScrollbar, true},
        {TSkinControlType::xcEdit, true},       {TSkinControlType::xcButton, true},
        {TSkinControlType::xcBitBtn, true},     {TSkinControlType::xcSpeedButton, true},
        {TSkinControlType::xcSpin, false},      {TSkinControlType::xcPanel, true},
        {TSkinControlType::xcGroupBox, true},   {TSkinControlType::xcStatusBar, true},
        {TSkinControlType::xcTab, true},        {TSkinControlType::xcTrackBar, true},
        {TSkinControlType::xcSystemMenu, true}, {TSkinControlType::xcFastReport, false},
    };
    for (const Member& m : members)
        EXPECT_EQ(skin->SkinControls.Contains(m.type), m.skinned) << static_cast<int>(m.type);
}

TEST_F(MainWindowSkinTest, TheStoredClassListReplacesTheBuiltInOne)
{
    Build()->FinishCreate();
    const ui::TStrings& stored = form_->SkinData1->Skin3rd();
    ui::TStringList builtIn;
    skin::DefaultSkin3rd(builtIn);
    EXPECT_EQ(stored.Count(), 95);

    // Which kind a class gets, with the window's list and with the built-in one.
    struct Case {
        const wchar_t* className;
        const wchar_t* stored;
        const wchar_t* builtIn;
    };
    const Case cases[] = {
        {L"TImageEnView", L"scrollbar", L"scrollbar"},
        {L"TVirtualStringTree", L"", L"scrollbar"},
        {L"TAdvMemo", L"", L"scrollbar"},
        {L"TPngBitBtn", L"", L"pngbitbtn"},
        {L"TRxSpeedButton", L"", L"speedbutton"},
        {L"TfrTBButton", L"", L"speedbutton"},
        {L"TcxButton", L"", L"bitbtn"},
        {L"TcxDBComboBox", L"", L"combobox"},
        {L"TControlBar", L"", L"panel"},
        {L"TKtBitbtn", L"", L"bitbtn"},
        {L"TKtMenuButton", L"", L"menubtn"},
        {L"TKtDateTimePicker", L"", L"combobox"},
        {L"TLMDTreeComboBox", L"", L"combobox"},
        {L"TLMDCalculatorEdit", L"", L"edit"},
        {L"TLMDTrackbar", L"trackbar", L"panel"},
        {L"TLMDGroupBox", L"panel", L"groupbox"},  // only the panel line is left
        {L"TKtButton", L"button", L"button"},
        {L"TKtRadioButton", L"radiobutton", L""},
        {L"TKtDBCheckBox", L"checkbox", L""},
        {L"TDXDBDATEEDIT", L"combobox", L""},
        {L"TDXHYPERLINKEDIT", L"edit", L""},
        {L"TWWDBDateTimePicker", L"combobox", L"combobox"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        EXPECT_EQ(KindOf(stored, c.className), c.stored);
        EXPECT_EQ(KindOf(builtIn, c.className), c.builtIn);
    }

    // Apart from the track bar and the added lines, the stored list is the built-in one with
    // lines left out, in the built-in order.
    int next = 0, added = 0;
    for (int k = 0; k < stored.Count(); ++k) {
        if (stored[k] == L"TLMDTrackbar=trackbar") continue;
        int found = next;
        while (found < builtIn.Count() && builtIn[found] != stored[k]) ++found;
        if (found == builtIn.Count()) {
            ++added;
            EXPECT_TRUE(stored[k].starts_with(L"TDX") || stored[k].starts_with(L"TKt")) << stored[k];
        } else {
            next = found + 1;
        }
    }
    EXPECT_EQ(added, 22);
}

// The program itself carries the skin: a window built elsewhere would find no payload.
TEST(MainWindowSkinProgram, TheProgramCarriesTheSkinStreamPayload)
{
    const std::wstring program = testing_support::WindowsPathOf(MJZS_EXE);
    const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << GetLastError();
    const std::vector<std::uint8_t> payload = ResourceBytes(module, L"SKINSTREAM");
    FreeLibrary(module);
    const std::vector<std::uint8_t> package = FileBytes(testing_support::WindowsPathOf(MJ_DEFAULT_SKIN_PACKAGE));
    ASSERT_EQ(payload.size(), package.size() + 4);
    const std::uint32_t length = payload[0] | payload[1] << 8 | payload[2] << 16 | static_cast<std::uint32_t>(payload[3]) << 24;
    EXPECT_EQ(length, package.size());
    EXPECT_TRUE(std::equal(package.begin(), package.end(), payload.begin() + 4));
}

}  // namespace
