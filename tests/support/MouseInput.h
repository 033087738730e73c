// Mouse input through the system's input queue, as a real mouse gives it: the window under
// the pointer, capture and hit tests all take part.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace testing_support {

// The left button goes down at from, the pointer moves through path and the button comes up
// at path's last point (at from when path is empty).
void DragMouse(POINT from, std::initializer_list<POINT> path);

}  // namespace testing_support
