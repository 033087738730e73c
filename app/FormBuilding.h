// Building a form in code: each control named and placed on its parent as a form
// description would have it.
#pragma once

#include "ui/Controls.h"

namespace app {

// A control placed on its parent at left, top, width, height.
template <typename Control>
Control* Place(Control* control, ui::TWinControl* parent, int left, int top, int width, int height)
{
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}

template <typename Control>
Control* Named(Control* control, const wchar_t* name)
{
    control->SetName(name);
    return control;
}

}  // namespace app
