// The skin component of the main window as the window's description stores it: switched
// on for every form of the program, the kinds of controls it skins, its own list of foreign
// control classes, and the default skin carried as its SkinStream property.
#pragma once

#include "skin/data/SkinData.h"
#include "ui/Classes.h"

namespace app {

// The main window's Skin3rd list (95 lines), which replaces the component's built-in one.
void MainFormSkin3rd(ui::TStrings& lines);

// Stores the settings while the window is being built. The package is read from the
// program's SKINSTREAM resource and loaded into skin elements at once; registration with
// the skin manager and the activation request wait for Loaded().
void StoreSkinData1(skin::TSkinData& skin);

}  // namespace app
