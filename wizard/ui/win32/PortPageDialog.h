// A page that offers one kind of port and hands the chosen one to the host.
#pragma once

#include "wizard/ui/win32/PageDialog.h"

namespace quispor::win32 {

class PortPageDialog : public PageDialog {
 public:
  // portName: 260 wide characters, emptied by the host; left empty when no
  // port is chosen.
  virtual void ReadPortName(char16_t* portName) = 0;
};

// The text of a page's port list (its selected item), at most 259 characters.
void ReadPortListText(HWND dialog, int listId, char16_t* portName);

}  // namespace quispor::win32
