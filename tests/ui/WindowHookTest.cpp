// The window hook chain of controls on real windows: newest first, removal in any order and
// during a message, and the notices a hook gets before a control's window or the control
// itself goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

constexpr UINT kProbe = WM_APP + 9;

class WindowHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<ui::TForm>(nullptr);
        edit = new ui::TEdit(form.get());
        edit->SetParent(form.get());
        edit->HandleNeeded();
    }

    // A hook that logs the probe under its name and hands everything on.
    ui::THookToken LoggingHook(ui::TControl* control, std::wstring name)
    {
        return control->AddWindowHook([this, name](ui::TMessage& message, const ui::TWndMethod& next) {
            if (message.Msg == kProbe) log.push_back(name);
            next(message);
        });
    }

    std::vector<std::wstring> Probe(ui::TControl* control)
    {
        log.clear();
        control->Perform(kProbe);
        return log;
    }

    std::unique_ptr<ui::TForm> form;
    ui::TEdit* edit = nullptr;
    std::vector<std::wstring> log;
};

TEST_F(WindowHookTest, NewestRunsFirstAndHooksComeOffInAnyOrder)
{
    const std::vector<std::vector<int>> orders = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {1, 2, 0}};
    const std::vector<std::wstring> names = {L"a", L"b", L"c"};
    for (const auto& order : orders) {
        std::vector<ui::THookToken> tokens;
        for (const auto& name : names) tokens.push_back(LoggingHook(edit, name));
        std::vector<std::wstring> expected = {L"c", L"b", L"a"};
        EXPECT_EQ(Probe(edit), expected);
        for (int index : order) {
            edit->RemoveWindowHook(tokens[static_cast<size_t>(index)]);
            std::erase(expected, names[static_cast<size_t>(index)]);
            EXPECT_EQ(Probe(edit), expected);
            // The control itself still gets its messages.
            const std::wstring text = L"文本" + std::to_wstring(index);
            edit->SetText(text);
            EXPECT_EQ(edit->Text(), text);
        }
        edit->RemoveWindowHook(tokens[0]);  // gone already: nothing happens
    }
}

TEST_F(WindowHookTest, AHookRemovedWhileAMessageIsOnItsWayIsNeverCalled)
{
    // The owner of the lower hook is deleted by the upper hook in the middle of a message.
    struct Owner {
        ui::TControl* control;
        ui::THookToken token;
        bool* gone;
        ~Owner()
        {
            control->RemoveWindowHook(token);
            *gone = true;
        }
    };
    bool ownerGone = false;
    bool calledAfterGone = false;
    LoggingHook(edit, L"bottom");
    auto owner = std::make_unique<Owner>(Owner{edit, 0, &ownerGone});
    owner->token = edit->AddWindowHook([&ownerGone, &calledAfterGone](ui::TMessage& message, const ui::TWndMethod& next) {
        if (ownerGone) calledAfterGone = true;
        next(message);
    });
    ui::THookToken self = 0;
    self = edit->AddWindowHook([&](ui::TMessage& message, const ui::TWndMethod& next) {
        if (message.Msg == kProbe) {
            log.push_back(L"top");
            owner.reset();
            edit->RemoveWindowHook(self);
        }
        next(message);
    });
    EXPECT_EQ(Probe(edit), (std::vector<std::wstring>{L"top", L"bottom"}));
    EXPECT_EQ(Probe(edit), std::vector<std::wstring>{L"bottom"});
    EXPECT_TRUE(ownerGone);
    EXPECT_FALSE(calledAfterGone);
}

TEST_F(WindowHookTest, AHookThatDoesNotHandOnTakesTheMessage)
{
    edit->SetText(L"原文");
    const ui::THookToken token = edit->AddWindowHook([](ui::TMessage& message, const ui::TWndMethod& next) {
        if (message.Msg != WM_SETTEXT) return next(message);
        message.Result = 77;
    });
    EXPECT_EQ(SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"新")), 77);
    EXPECT_EQ(edit->Text(), L"原文");
    edit->RemoveWindowHook(token);
}

// What a hook sees when the framework re-creates a window, when someone else destroys it,
// and that it stays on for the next window.
TEST_F(WindowHookTest, HooksSeeTheWindowGoAndStayForTheNextOne)
{
    struct Seen {
        UINT msg;
        HWND window;
    };
    std::vector<Seen> seen;
    const UINT watched[] = {ui::CM_DESTROYHANDLE, WM_DESTROY, WM_NCDESTROY, ui::CM_RECREATEWND};
    for (ui::TWinControl* control : {static_cast<ui::TWinControl*>(edit), static_cast<ui::TWinControl*>(form.get())}) {
        SCOPED_TRACE(std::string(control->ClassName().begin(), control->ClassName().end()));
        const ui::THookToken token = control->AddWindowHook([&](ui::TMessage& message, const ui::TWndMethod& next) {
            if (std::find(std::begin(watched), std::end(watched), message.Msg) != std::end(watched))
                seen.push_back({message.Msg, control->WindowHandle()});
            next(message);
        });
        const HWND old = control->Handle();
        seen.clear();
        control->RecreateWnd();
        const HWND fresh = control->WindowHandle();
        ASSERT_TRUE(IsWindow(fresh));
        EXPECT_FALSE(IsWindow(old));
        ASSERT_EQ(seen.size(), 4u);
        EXPECT_EQ(seen[0].msg, ui::CM_DESTROYHANDLE);
        EXPECT_EQ(seen[1].msg, static_cast<UINT>(WM_DESTROY));
        EXPECT_EQ(seen[2].msg, static_cast<UINT>(WM_NCDESTROY));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)].window, old) << i;
        EXPECT_EQ(seen[3].msg, ui::CM_RECREATEWND);
        EXPECT_EQ(seen[3].window, fresh);

        seen.clear();
        DestroyWindow(fresh);
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].msg, static_cast<UINT>(WM_DESTROY));
        EXPECT_EQ(seen[1].msg, static_cast<UINT>(WM_NCDESTROY));
        EXPECT_FALSE(control->HandleAllocated());
        EXPECT_EQ(ui::FindControl(fresh), nullptr);

        control->HandleNeeded();
        control->RemoveWindowHook(token);
    }
    // The edit is whole again inside its new form window.
    EXPECT_EQ(GetParent(edit->Handle()), form->Handle());
}

// Deleting a control tells its hooks before its window goes, and then drops them: a hooked
// object that forgets the control then never writes into it.
TEST_F(WindowHookTest, DeletingAControlTellsItsHooksFirstAndDropsThem)
{
    for (bool deleteForm : {false, true}) {
        SCOPED_TRACE(deleteForm ? "form" : "edit");
        if (!form) SetUp();
        ui::TWinControl* control = deleteForm ? static_cast<ui::TWinControl*>(form.get()) : edit;
        const HWND window = control->Handle();
        std::vector<UINT> seen;
        bool windowAliveAtNotice = false;
        ui::TWindowHookLink link, released;
        link.Hook(control, [&](ui::TMessage& message, const ui::TWndMethod& next) {
            seen.push_back(message.Msg);
            if (message.Msg == ui::CM_CONTROLDESTROYING) windowAliveAtNotice = IsWindow(window) != FALSE;
            next(message);
        });
        released.Hook(control, [&](ui::TMessage& message, const ui::TWndMethod& next) { next(message); });
        released.Unhook();
        EXPECT_EQ(released.Control(), nullptr);
        seen.clear();
        if (deleteForm)
            form.reset();
        else
            delete edit;
        EXPECT_EQ(seen, std::vector<UINT>{ui::CM_CONTROLDESTROYING});
        EXPECT_TRUE(windowAliveAtNotice);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(link.Control(), nullptr);
        link.Unhook();  // the control is gone: nothing to do, nothing touched
    }
}

}  // namespace
