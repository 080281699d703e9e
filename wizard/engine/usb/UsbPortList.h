// The USB page's port list as the USB port search fills it: the sorted combo
// box's CB_ADDSTRING, CB_FINDSTRINGEXACT and CB_SETCURSEL.
#pragma once

namespace quispor {

class UsbPortList {
 public:
  virtual ~UsbPortList() = default;
  // CB_ADDSTRING: adds text (the sorted list puts it in place).
  virtual void AddString(const char16_t* text) = 0;
  // CB_FINDSTRINGEXACT: the index of the first item from the one after
  // startIndex on (-1: from the top) whose whole text is text, without
  // regard to case; -1 (CB_ERR) when there is none.
  virtual int FindStringExact(int startIndex, const char16_t* text) = 0;
  // CB_SETCURSEL: selects the item at index.
  virtual void SetCurSel(int index) = 0;
};

}  // namespace quispor
