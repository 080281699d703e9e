// The USB page's port list as the USB port search fills it: the combo box's
// CB_ADDSTRING and CB_SELECTSTRING.
#pragma once

namespace quispor {

class UsbPortList {
 public:
  virtual ~UsbPortList() = default;
  // CB_ADDSTRING: adds text (the sorted list puts it in place).
  virtual void AddString(const char16_t* text) = 0;
  // CB_SELECTSTRING: selects the first item from startIndex on that begins
  // with text.
  virtual void SelectString(int startIndex, const char16_t* text) = 0;
};

}  // namespace quispor
