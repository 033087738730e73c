// skintool gallery: the gallery window (a control of every kind the skin engine paints,
// skinned by the engine itself with a package or the default skin), so a skin author sees
// the skin on real controls in every state. With --shot the window draws itself for a
// moment, opens its popup menu, writes a picture of the screen and closes.
// Windows only.
#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "skin/controls/SkinManage.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/skintool/Command.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/Menus.h"
#include "ui/Timers.h"

namespace skintool {

namespace {

// The picture is of the screen, so the frame and any open popup are on it.
void TakeShot(ui::TForm& form, const std::wstring& path)
{
    RECT bounds{};
    GetWindowRect(form.Handle(), &bounds);
    ui::TBitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top, ui::TPixelFormat::pf24bit);
    const HDC screen = GetDC(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen, bounds.left, bounds.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    picture.SaveToFile(path);
}

int Gallery(const std::vector<std::string>& args)
{
    std::wstring package, shot;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--shot" && k + 1 < args.size())
            shot = std::filesystem::path(args[++k]).wstring();
        else if (package.empty() && args[k].rfind("--", 0) != 0)
            package = std::filesystem::path(args[k]).wstring();
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
    auto* form = new gallery::TGalleryForm(&application, package);
    application.SetMainForm(form);
    form->FinishCreate();
    if (!shot.empty()) {
        // The pointer away from the window, so that no hint covers a control in the picture.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        // The popup menu opens in the free corner under the progress bars; the picture is
        // taken from inside its loop, and the menu and the window close after it.
        auto* open = new ui::TTimer(form);
        auto* take = new ui::TTimer(form);
        take->SetEnabled(false);
        take->SetInterval(700);
        take->OnTimer = [form, take, shot](ui::TObject*) {
            take->SetEnabled(false);
            TakeShot(*form, shot);
            EndMenu();
            form->Close();
        };
        open->SetInterval(2500);
        open->OnTimer = [form, open, take](ui::TObject*) {
            open->SetEnabled(false);
            take->SetEnabled(true);
            const POINT corner = form->ClientToScreen(POINT{40, 585});
            form->Popup()->Popup(corner.x, corner.y);
        };
    }
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
