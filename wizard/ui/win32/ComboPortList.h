// The USB page's port list (a sorted drop-down combo box) as the USB port
// search fills it.
#pragma once

#include <windows.h>

#include "wizard/engine/usb/UsbPortList.h"

namespace quispor::win32 {

class ComboPortList final : public UsbPortList {
 public:
  explicit ComboPortList(HWND combo) : combo_(combo) {}
  void AddString(const char16_t* text) override;
  int FindStringExact(int startIndex, const char16_t* text) override;
  void SetCurSel(int index) override;

 private:
  HWND combo_;
};

}  // namespace quispor::win32
