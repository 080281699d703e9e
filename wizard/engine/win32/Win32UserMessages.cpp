#include "wizard/engine/win32/Win32UserMessages.h"

#include <windows.h>

namespace quispor::win32 {

static_assert(platform::kMbOk == MB_OK);
static_assert(sizeof(platform::WindowHandle) == sizeof(HWND));

int Win32UserMessages::MessageBoxW(platform::WindowHandle owner, const char16_t* text, const char16_t* caption,
                                   uint32_t type) {
  return ::MessageBoxW(static_cast<HWND>(owner), reinterpret_cast<LPCWSTR>(text), reinterpret_cast<LPCWSTR>(caption),
                       type);
}

}  // namespace quispor::win32
