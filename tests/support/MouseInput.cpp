#include "support/MouseInput.h"

namespace testing_support {

namespace {

void Send(DWORD flags, POINT at)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void DragMouse(POINT from, std::initializer_list<POINT> path)
{
    Send(MOUSEEVENTF_LEFTDOWN, from);
    POINT last = from;
    for (const POINT& point : path) {
        Send(0, point);
        last = point;
    }
    Send(MOUSEEVENTF_LEFTUP, last);
}

}  // namespace testing_support
