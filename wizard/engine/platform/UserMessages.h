// user32's message box, shaped like MessageBoxW. The engine shows only the
// few fixed boxes of the TCP/IP port creation through it.
#pragma once

#include <cstdint>

namespace quispor::platform {

using WindowHandle = void*;  // HWND

inline constexpr uint32_t kMbOk = 0x00000000;  // MB_OK

class UserMessages {
 public:
  virtual ~UserMessages() = default;

  // MessageBoxW(owner, text, caption, type): the button pressed (IDOK 1),
  // 0 when no box could be shown. A null caption gives the system's default.
  virtual int MessageBoxW(WindowHandle owner, const char16_t* text, const char16_t* caption, uint32_t type) = 0;
};

}  // namespace quispor::platform
