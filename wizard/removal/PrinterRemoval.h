// The printers and forms of one driver: collecting them, looking at their
// jobs, and deleting them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "wizard/engine/platform/Spooler.h"
#include "wizard/shared/SequenceReport.h"

namespace quispor::removal {

// The printers that use one driver, in enumeration order. Every matching
// printer is collected: a fixed number of slots would leave the surplus
// printers installed and their driver held, and the removal would fail.
struct PrinterNameList {
  std::vector<std::u16string> names;
  // connections[i]: names[i] is a connection to a queue another computer
  // shares (\\server\queue), not a printer of this spooler.
  std::vector<bool> connections;
  int32_t count = 0;  // == names.size()
};

// The forms to delete with the first printer of a driver.
struct FormNameList {
  static constexpr std::size_t kCapacity = 512;
  std::vector<std::u16string> names;
  int32_t count = 0;  // == names.size()
};

// Empties list, then collects the printers whose driver name equals
// driverName exactly (case counts). 0, or the error code of the failing
// enumeration (122 when its buffer cannot be had).
uint32_t GetPrinterByDriverName(platform::Spooler& spooler, const char16_t* driverName, PrinterNameList& list);

// Traces the queued jobs of the listed printers; stops at the first printer
// that has jobs or cannot be looked at. Nothing is waited for or cancelled.
void GetJobsByName(platform::Spooler& spooler, const PrinterNameList& list);

// Empties list, then fills it with the forms EnumFormsW reports for the
// printer, decided from the entry count of the size query. A size query
// returns no entries, so the list stays empty.
void GetMyForms(platform::Spooler& spooler, const char16_t* printerName, FormNameList& list);

// Deletes the listed printers in order, and the listed forms through the
// first local one. A connection is only removed from this computer
// (DeletePrinterConnectionW): opened and deleted, it would be the server's
// queue that goes. 0, or the error code that stopped it; printers deleted
// before a failure stay deleted. Each printer is reported as a step when
// steps is given.
uint32_t DeleteMyPrinters(platform::Spooler& spooler, const PrinterNameList& printers, const FormNameList& forms,
                          SequenceReport* steps = nullptr);

}  // namespace quispor::removal
