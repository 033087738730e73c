// The program: the application titled "墨笺速记本", the main window, the duration dialog
// created hidden, then the message loop.
#include <windows.h>

#include "app/SingleInstance.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "skin/controls/SkinManage.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // One store, one writer: a second start on the same store shows the first one instead.
    app::SingleInstance instance(app::StorePath());
    if (!instance.First()) {
        instance.ActivateRunning(std::chrono::seconds(10));
        return 0;
    }
    ui::TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(app::kApplicationTitle);
    // The skin component of the main window creates the skin manager through this; it goes
    // before the application, so every window gets its own look back first.
    skin::TSkinManagerInstallation skinManager;
    try {
        instance.Publish(application.CreateForm<app::TMainForm1>()->Handle());
        app::Form3 = application.CreateForm<app::TForm3>();
    } catch (const std::exception& failure) {
        // Without its main window (the database could not be opened) the program ends.
        application.HandleException(failure);
        return 1;
    }
    application.Run();
    return 0;
}
