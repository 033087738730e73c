#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/skin_model/SkinFixture.h"

namespace {

using skin::TSkinControlType;
using skin::TSkinData;
using skin::TSkinFormType;
using skintest::SkinPackage;

// Stands in for the skin manager, which comes later: it records what the component asks.
class RecordingManager : public skin::TSkinManagerLink {
public:
    void RegisterSkin(TSkinData&) override { Log("register"); }
    void UnregisterSkin(TSkinData&) override { Log("unregister"); }
    void SetCurrentSkin(TSkinData&) override { Log("current"); }
    void ScheduleCommand(skin::TSkinCommand command, unsigned delayMs) override
    {
        Log("command " + std::to_string(static_cast<int>(command)) + " after " + std::to_string(delayMs));
    }
    void SetEnabled(bool enabled) override { Log(enabled ? "enable" : "disable"); }
    void InstallHook() override { Log("hook"); }
    bool SkinWindowNow(HWND) override
    {
        Log("skin window");
        return true;
    }
    void ReloadSkinData(TSkinData&) override { Log("reload"); }
    bool Started() const override { return started_; }
    void SetStarted() override
    {
        started_ = true;
        Log("started");
    }

    std::vector<std::string> Take() { return std::exchange(calls_, {}); }

private:
    void Log(std::string call) { calls_.push_back(std::move(call)); }
    std::vector<std::string> calls_;
    bool started_ = false;
};

RecordingManager* g_recorder = nullptr;

// Each test gets a fresh manager, made on first need as the real one will be.
class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_recorder = &recorder_;
        skin::SetSkinManager(nullptr);
        skin::SetSkinManagerFactory([]() -> skin::TSkinManagerLink* {
            skin::SetSkinManager(g_recorder);
            return g_recorder;
        });
        previous_ = skin::SetSkinMessageHandler([this](const std::wstring& text) { messages_.push_back(text); });
    }
    void TearDown() override
    {
        skin::SetSkinMessageHandler(previous_);
        skin::SetSkinManagerFactory(nullptr);
        skin::SetSkinManager(nullptr);
        g_recorder = nullptr;
    }

    // A component as the form reader leaves it: properties set while loading, then Loaded.
    void ReadForm(TSkinData& skin, bool active, const skin::TBytes* package)
    {
        skin.BeginLoading();
        skin.SetActive(active);
        if (package) skintest::LoadPackage(skin, *package);
        skin.Loaded();
    }

    static SkinPackage SmallSkin()
    {
        SkinPackage package;
        package.Description = "[TitlebarSkin]\nSkinName=Small\n[Buttons]\nBitmap=button.bmp\n";
        package.Add("button.bmp", 50, 20);
        return package;
    }

    RecordingManager recorder_;
    std::vector<std::wstring> messages_;
    skin::TSkinMessageHandler previous_;
};

TEST_F(SkinDataTest, ValuesAtCreation)
{
    TSkinData skin(nullptr);
    struct Ordinal {
        const wchar_t* name;
        std::int64_t value;
    };
    const Ordinal ordinals[] = {
        {L"Active", 0},        {L"DisableTag", 99},  {L"SkinControls", 0x1FFFFB}, {L"Options", 0x448},
        {L"SkinFormtype", 0},  {L"MenuUpdate", 1},   {L"MenuMerge", 0},
    };
    for (const Ordinal& o : ordinals) EXPECT_EQ(ui::GetOrdProp(&skin, o.name), o.value) << o.name;
    EXPECT_EQ(ui::GetStrProp(&skin, L"SkinFile"), L"");
    EXPECT_EQ(ui::GetStrProp(&skin, L"SkinStore"), L"(none)");
    EXPECT_EQ(ui::GetStrProp(&skin, L"Version"), L"1.0.0");
    auto* lines = dynamic_cast<ui::TStrings*>(ui::GetObjectProp(&skin, L"Skin3rd"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->Count(), 118);
    EXPECT_TRUE(skin.SkinEmpty());
    EXPECT_TRUE(skin.FramePaint);
    const auto& e = skin.Elements();
    EXPECT_TRUE(e.Left && e.Right && e.Top && e.Bottom && e.Caption && e.Buttons);
    EXPECT_FALSE(e.MenuBar);
    EXPECT_EQ(skin.MaximizedSize().cx, GetSystemMetrics(SM_CXMAXIMIZED));

    ASSERT_TRUE(skin.Glyphs());
    EXPECT_EQ(ImageList_GetImageCount(skin.Glyphs()), 4);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(skin.Glyphs(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_TRUE(recorder_.Take().empty());  // creating asks nothing of a manager
}

TEST_F(SkinDataTest, VersionAndSkinStoreIgnoreWrites)
{
    TSkinData skin(nullptr);
    skintest::LoadPackage(skin, SmallSkin().Packed());
    EXPECT_TRUE(ui::SetStrProp(&skin, L"Version", L"9.9"));
    EXPECT_TRUE(ui::SetStrProp(&skin, L"SkinStore", L"(Good)"));
    EXPECT_EQ(ui::GetStrProp(&skin, L"Version"), L"1.0.0");
    EXPECT_EQ(ui::GetStrProp(&skin, L"SkinStore"), L"(none)");  // also with a package stored
    EXPECT_TRUE(ui::SetOrdProp(&skin, L"DisableTag", 7));
    EXPECT_EQ(skin.DisableTag, 7);
}

TEST_F(SkinDataTest, SkinStreamRoundTripAndLengthsOfZeroOrLess)
{
    const skin::TBytes package = SmallSkin().Packed();
    TSkinData skin(nullptr);
    skintest::LoadPackage(skin, package);
    EXPECT_EQ(skin.StoredPackage(), package);
    EXPECT_FALSE(skin.SkinEmpty());  // loaded while the form is read
    EXPECT_EQ(skin.Elements().SkinName, "Small");

    ui::TMemoryStream written;
    skin.WriteSkinStream(written);
    TSkinData copy(nullptr);
    written.SetPosition(0);
    copy.ReadSkinStream(written);
    EXPECT_EQ(copy.StoredPackage(), package);
    EXPECT_EQ(copy.Elements().SkinName, "Small");

    for (std::int32_t length : {0, -1}) {
        ui::TMemoryStream stream;
        skintest::WritePayload(stream, length, {});
        skin.ReadSkinStream(stream);
        EXPECT_EQ(skin.StoredPackage(), package) << length;
        EXPECT_FALSE(skin.SkinEmpty()) << length;
    }

    TSkinData empty(nullptr);
    ui::TMemoryStream none;
    empty.WriteSkinStream(none);
    EXPECT_EQ(none.Bytes(), (skin::TBytes{0, 0, 0, 0}));
}

TEST_F(SkinDataTest, SkinFilesOfVersion20000LoadAndOf10000AreRefused)
{
    const auto dir = std::filesystem::temp_directory_path() / "mj_skin_model_files";
    std::filesystem::create_directories(dir);
    const auto write = [&](const char* name, const skin::TBytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (dir / name).wstring();
    };
    const std::wstring good = write("old.skn", SmallSkin().Packed(20000));
    const std::wstring older = write("older.skn", SmallSkin().Packed(10000));

    TSkinData skin(nullptr);
    skin.SetSkinFile(good);
    EXPECT_FALSE(skin.SkinEmpty());
    EXPECT_EQ(skin.Elements().SkinName, "Small");
    EXPECT_EQ(skin.SkinFile(), good);
    EXPECT_TRUE(messages_.empty());

    skin.SetSkinFile(older);
    EXPECT_TRUE(skin.SkinEmpty());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], L"This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(skin.Elements().SkinName, "Small");  // the earlier skin's elements stay

    skin.SetSkinFile((dir / "missing.skn").wstring());
    EXPECT_TRUE(skin.SkinEmpty());
    EXPECT_EQ(messages_.size(), 1u);
    std::filesystem::remove_all(dir);
}

TEST_F(SkinDataTest, MainFormWithoutAPackageSwitchesActiveOffWhenLoaded)
{
    TSkinData skin(nullptr);
    ReadForm(skin, true, nullptr);
    EXPECT_FALSE(skin.Active());
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"register", "hook"}));
}

TEST_F(SkinDataTest, MainFormActivationGoesThroughDeferredCommands)
{
    const skin::TBytes package = SmallSkin().Packed();
    TSkinData skin(nullptr);
    ReadForm(skin, true, &package);
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"register", "hook", "current", "command 1 after 250"}));

    skin.SetActive(true);  // its current value: nothing
    EXPECT_TRUE(recorder_.Take().empty());
    skin.SetActive(false);
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"current", "command 2 after 250"}));
    skin.SetActive(true);
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"current", "command 1 after 250", "started"}));

    // A new skin file makes the skinned forms reload and, once started, refresh.
    const auto path = std::filesystem::temp_directory_path() / "mj_skin_model_apply.skn";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(package.data()),
                                                static_cast<std::streamsize>(package.size()));
    skin.SetSkinFile(path.wstring());
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"current", "reload", "command 3 after 250"}));
    std::filesystem::remove(path);
}

TEST_F(SkinDataTest, SkinControlsAreAdjustedWhenAMainFormComponentLoads)
{
    TSkinData withMenu(nullptr);
    withMenu.SkinControls.Include(TSkinControlType::xcMenuItem);
    ReadForm(withMenu, false, nullptr);
    EXPECT_FALSE(withMenu.SkinControls.Contains(TSkinControlType::xcMenuItem));
    EXPECT_TRUE(withMenu.SkinControls.Contains(TSkinControlType::xcSystemMenu));
    EXPECT_TRUE(withMenu.SkinControls.Contains(TSkinControlType::xcScrollbar));  // the system has the query

    TSkinData withoutMenu(nullptr);
    withoutMenu.SkinControls.Exclude(TSkinControlType::xcMainMenu);
    withoutMenu.SkinControls.Include(TSkinControlType::xcMenuItem);
    ReadForm(withoutMenu, false, nullptr);
    EXPECT_FALSE(withoutMenu.SkinControls.Contains(TSkinControlType::xcSystemMenu));
    EXPECT_TRUE(withoutMenu.SkinControls.Contains(TSkinControlType::xcMenuItem));
}

TEST_F(SkinDataTest, OtherScopesOnActivation)
{
    TSkinData onlyThis(nullptr);
    onlyThis.SkinFormtype = TSkinFormType::sfOnlyThisForm;
    ReadForm(onlyThis, false, nullptr);
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"register", "enable", "started"}));
    onlyThis.SetActive(true);  // no skin yet: only made current
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"current"}));
    onlyThis.SetActive(false);
    EXPECT_EQ(recorder_.Take(), (std::vector<std::string>{"current", "command 2 after 250"}));

    TSkinData dialog(nullptr);
    dialog.SkinFormtype = TSkinFormType::sfDialog;
    ReadForm(dialog, false, nullptr);
    recorder_.Take();
    dialog.SetActive(true);
    dialog.SetActive(false);
    EXPECT_TRUE(recorder_.Take().empty());
}

TEST_F(SkinDataTest, WorksAloneWhenNoManagerExists)
{
    skin::SetSkinManagerFactory(nullptr);
    const skin::TBytes package = SmallSkin().Packed();
    TSkinData skin(nullptr);
    ReadForm(skin, true, &package);
    EXPECT_TRUE(skin.Active());
    EXPECT_FALSE(skin.SkinEmpty());
    skin.SetActive(false);
    EXPECT_FALSE(skin.Active());
    EXPECT_TRUE(recorder_.Take().empty());
}

TEST_F(SkinDataTest, DecideFormSkinWithAndWithoutAHandler)
{
    TSkinData skin(nullptr);
    const HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x1234));
    struct Case {
        const wchar_t* className;
        bool reports, doSkin, expected;
    };
    const Case cases[] = {
        {L"SysMonthCal32", false, true, false}, {L"TMainForm1", false, true, true},
        {L"TMainForm1", false, false, false},   {L"TfrPreviewForm", true, true, false},
        {L"TfrPreviewForm", false, true, true},
    };
    for (const Case& c : cases) {
        if (c.reports) skin.SkinControls.Include(TSkinControlType::xcFastReport);
        else skin.SkinControls.Exclude(TSkinControlType::xcFastReport);
        bool doSkin = c.doSkin;
        skin.DecideFormSkin(window, c.className, doSkin);
        EXPECT_EQ(doSkin, c.expected);
        EXPECT_EQ(skin.DecidingWindow(), window);
    }

    std::vector<std::wstring> asked;
    skin.OnFormSkin = [&](ui::TObject* sender, const std::wstring& name, bool& doSkin) {
        EXPECT_EQ(sender, &skin);
        asked.push_back(name);
        if (name == L"TRefused") doSkin = false;
    };
    bool calendar = true, refused = true;
    skin.DecideFormSkin(window, L"SysMonthCal32", calendar);
    skin.DecideFormSkin(window, L"TRefused", refused);
    EXPECT_TRUE(calendar);  // the handler alone decides
    EXPECT_FALSE(refused);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"SysMonthCal32", L"TRefused"}));
}

TEST_F(SkinDataTest, SkinChangedEventAndCaptionButtonHint)
{
    TSkinData skin(nullptr);
    int changed = 0;
    skin.FireSkinChanged();
    skin.OnSkinChanged = [&](ui::TObject* sender) { changed += sender == &skin; };
    skin.FireSkinChanged();
    EXPECT_EQ(changed, 1);

    const RECT at{200, 100, 230, 120};
    skin.Options.Exclude(skin::TSkinOption::xoCaptionButtonHint);
    skin.ShowCaptionButtonHint(at, L"关闭");
    EXPECT_FALSE(skin.CaptionHintShowing());
    skin.Options.Include(skin::TSkinOption::xoCaptionButtonHint);
    skin.ShowCaptionButtonHint(at, L"关闭");
    EXPECT_TRUE(skin.CaptionHintShowing());
    skin.HideCaptionButtonHint();
    EXPECT_FALSE(skin.CaptionHintShowing());
}

}  // namespace
