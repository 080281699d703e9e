// A drop-down list combo box with the sorted style, as the USB page's port
// list is: items kept in case-insensitive order; CB_SELECTSTRING selects the
// first item that begins with the text (without case), searching from the
// item after the start index to the end and then from the top (-1: from the
// top); CB_FINDSTRINGEXACT finds a whole text the same way (without case);
// CB_SETCURSEL selects an index (-1: none). Every message is recorded.
#pragma once

#include <string>
#include <vector>

#include "wizard/engine/usb/UsbPortList.h"

namespace kit::fakes {

class FakeComboBox : public quispor::UsbPortList {
 public:
  static constexpr int kCbErr = -1;

  std::vector<std::u16string> items;
  int selection = -1;
  std::vector<std::string> calls;

  // The selected item's text, empty when none is selected.
  std::u16string SelectedText() const;

  void AddString(const char16_t* text) override;
  void SelectString(int startIndex, const char16_t* text);
  int FindStringExact(int startIndex, const char16_t* text) override;
  void SetCurSel(int index) override;

 private:
  // The first index from the one after start (wrapping) whose item matches.
  template <typename Match>
  int Search(int start, Match match) const;
};

}  // namespace kit::fakes
