#include "wizard/ui/win32/WindowCentring.h"

#include "wizard/ui/pages/CentreRule.h"

namespace quispor::win32 {
namespace {

Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

void CentreWindow(HWND hwnd) {
  RECT window{};
  if (!GetWindowRect(hwnd, &window)) return;
  Rect area;
  if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
    RECT client{};
    if (!GetClientRect(GetParent(hwnd), &client)) return;
    area = FromRect(client);
  } else {
    HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr) return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) return;
    area = FromRect(info.rcWork);
  }
  const Point origin =
      CentredOrigin(window.right - window.left, window.bottom - window.top, area, area);
  SetWindowPos(hwnd, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quispor::win32
