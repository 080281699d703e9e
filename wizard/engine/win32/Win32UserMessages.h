// user32's MessageBoxW behind the UserMessages interface.
#pragma once

#include "wizard/engine/platform/UserMessages.h"

namespace quispor::win32 {

class Win32UserMessages final : public platform::UserMessages {
 public:
  int MessageBoxW(platform::WindowHandle owner, const char16_t* text, const char16_t* caption, uint32_t type) override;
};

}  // namespace quispor::win32
