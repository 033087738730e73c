// The duration settings dialog: the three durations of the playback hot keys, kept in
// Time.ini beside the program.
#pragma once

#include "ui/Forms.h"

namespace app {

class TForm3 : public ui::TForm {
public:
    explicit TForm3(ui::TComponent* owner);
    std::wstring_view ClassName() const override { return L"TForm3"; }
};

// Created hidden at start, after the main window; shown by the menu of the main window.
extern TForm3* Form3;

}  // namespace app
