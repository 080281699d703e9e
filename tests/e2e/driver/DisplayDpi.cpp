// The screen DPI that programs started from a test see, and coordinates in
// real pixels for the test itself.
#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e {

void SetScreenDpi(DWORD dpi) {
  // Where the display settings keep it; Wine reads it when a program starts.
  const LONG rc = RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                                  sizeof dpi);
  if (rc != ERROR_SUCCESS) detail::ThrowWin32("SetScreenDpi: RegSetKeyValueW failed", static_cast<DWORD>(rc));
}

void UseRealPixels() {
  // The test program declares no DPI awareness, so the system would scale
  // what it reads of a DPI-aware program's windows.
  using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void (*)()>(user32 ? GetProcAddress(user32, "SetThreadDpiAwarenessContext") : nullptr));
  if (setContext) setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

RECT RectIn(HWND parent, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace kit::e2e
