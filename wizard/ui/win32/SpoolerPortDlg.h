// The serial and parallel pages: one list of the spooler's ports of a kind.
#pragma once

#include "wizard/ui/win32/PortPageDialog.h"

namespace quispor::win32 {

class SpoolerPortDlg : public PortPageDialog {
 public:
  void ReadPortName(char16_t* portName) override;

 protected:
  SpoolerPortDlg(int listId, int labelId, const char* labelKey)
      : listId_(listId), labelId_(labelId), labelKey_(labelKey) {}

 private:
  void OnCreatePage() override;
  const int listId_;
  const int labelId_;
  const char* const labelKey_;
};

}  // namespace quispor::win32
