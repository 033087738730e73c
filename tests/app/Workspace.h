// Drives the real main window: a private working folder (so "txt.kl" is fresh), Time.ini and
// voice\ beside the test program, the message boxes answered and recorded, messages pumped.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "support/MessagePump.h"
#include "ui/Dialogs.h"

namespace testing_app {

namespace fs = std::filesystem;

// Every box the program shows, in order; each is answered with OK.
class BoxRecorder {
public:
    BoxRecorder();
    const std::vector<ui::MessageBoxRequest>& Boxes() const { return boxes_; }
    // The texts of the program's own messages (no icon) and of error reports (stop icon).
    std::vector<std::wstring> Messages() const;
    std::vector<std::wstring> Errors() const;
    void Clear() { boxes_.clear(); }

private:
    std::vector<ui::MessageBoxRequest> boxes_;
    ui::ScopedMessageBoxService service_;
};

using testing_support::Pump;
using testing_support::PumpUntil;

// Key presses as the window gets them: posted, then translated and dispatched by the loop.
void PressKey(HWND window, WORD key, bool alt = false);
void ReleaseKey(HWND window, WORD key);

// Characters typed into a window, one WM_CHAR each, as the keyboard's translation posts them.
void Type(HWND window, const std::wstring& text);

// A menu command as the window gets it, so a failure reaches the general error report.
void MenuCommand(HWND window, const ui::TMenuItem* item);

std::wstring ProgramFolder();
void WriteSettings(const std::wstring& skip, const std::wstring& replay, const std::wstring& play);

// One stored row read with a connection of its own.
struct StoredRow {
    std::wstring id, date, title, content, voice;
};
std::vector<StoredRow> ReadRows(const fs::path& database);

// A fresh working folder for one group of tests and a main window opened in it.
class WorkspaceTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // A new main window in the same working folder: what a restart of the program sees. A
    // Yes/No box (the draft's offer) gets `answer`, every other box OK; all are recorded in
    // `seen` when given.
    static void Restart(int answer = IDNO, std::vector<ui::MessageBoxRequest>* seen = nullptr);
    void SetUp() override;

    // Saves a new document with these values and answers the success message.
    void SaveNew(const std::wstring& title, const std::wstring& text);

    static void ShowArchivePage();
    // Shows the archive page and makes the document's row current; false when not listed.
    static bool SelectArchiveRow(const std::wstring& id);

    static fs::path Folder() { return folder_; }
    static fs::path Database() { return folder_ / L"txt.kl"; }

    static app::TMainForm1* form_;
    static app::TForm3* settings_;
    static fs::path folder_;
    std::unique_ptr<BoxRecorder> boxes_;
};

}  // namespace testing_app
