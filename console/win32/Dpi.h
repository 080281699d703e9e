// The DPI of a window and the window size for a client size at that DPI.
// GetDpiForWindow and AdjustWindowRectExForDpi exist from Windows 10 1607
// on; they are looked up at run time so that the console still starts on
// older systems, where the system DPI stands in for the window's.
#pragma once

#include <windows.h>

namespace vantrel::win32 {

UINT WindowDpi(HWND window);
// Outer width and height of a window with this style whose client area is
// clientWidth by clientHeight at dpi.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace vantrel::win32
