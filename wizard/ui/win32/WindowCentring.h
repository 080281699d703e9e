// Centres a window at its creation: a child on its parent's client area, any
// other window on the work area of its nearest monitor.
#pragma once

#include <windows.h>

namespace quispor::win32 {

void CentreWindow(HWND hwnd);

}  // namespace quispor::win32
