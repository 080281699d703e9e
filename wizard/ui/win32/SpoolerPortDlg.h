// The serial and parallel pages: one list of the spooler's ports of a kind.
#pragma once

#include "wizard/engine/platform/Spooler.h"
#include "wizard/ui/ports/SpoolerPorts.h"
#include "wizard/ui/win32/PortPageDialog.h"

namespace quispor::win32 {

class SpoolerPortDlg : public PortPageDialog {
 public:
  void ReadPortName(char16_t* portName) override;

 protected:
  using PortFilter = std::vector<const char16_t*> (*)(const SpoolerPortList&);
  SpoolerPortDlg(platform::Spooler& spooler, PortFilter filter, int listId, int labelId, const char* labelKey)
      : spooler_(spooler), filter_(filter), listId_(listId), labelId_(labelId), labelKey_(labelKey) {}

 private:
  void OnCreatePage() override;
  platform::Spooler& spooler_;
  const PortFilter filter_;
  const int listId_;
  const int labelId_;
  const char* const labelKey_;
  // The enumeration made at creation, kept for the rest of the run.
  SpoolerPortList ports_;
};

}  // namespace quispor::win32
