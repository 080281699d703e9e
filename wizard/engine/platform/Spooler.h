// The print spooler calls the wizard's engine makes, shaped like winspool so
// the Win32 adapter passes them straight through. Each returns 0 when the
// Win32 call succeeds, otherwise the GetLastError code taken right after it
// (122 ERROR_INSUFFICIENT_BUFFER for the first call of a size query).
// Enumerations fill a caller buffer exactly as Windows does (see
// SpoolerTypes.h). Later parts add the calls they need here.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"
#include "wizard/engine/platform/SpoolerTypes.h"

namespace quispor::platform {

inline constexpr uint32_t kErrorInsufficientBuffer = 122;

// An opaque printer (or port monitor) handle: the HANDLE value, as an integer.
using PrinterHandle = std::uintptr_t;

class Spooler {
 public:
  virtual ~Spooler() = default;

  // GetPrinterDriverDirectoryW(server, environment, level, driverDirectory,
  // bufferSize, needed): needed receives the size in bytes, terminator
  // included.
  virtual uint32_t GetPrinterDriverDirectoryW(const char16_t* server, const char16_t* environment,
                                              uint32_t level, uint8_t* driverDirectory,
                                              uint32_t bufferSize, uint32_t* needed) = 0;

  // EnumPrintersW(flags, name, level, printers, bufferSize, needed, returned).
  virtual uint32_t EnumPrintersW(uint32_t flags, const char16_t* name, uint32_t level,
                                 uint8_t* printers, uint32_t bufferSize, uint32_t* needed,
                                 uint32_t* returned) = 0;

  // EnumPrinterDriversW(server, environment, level, drivers, bufferSize,
  // needed, returned).
  virtual uint32_t EnumPrinterDriversW(const char16_t* server, const char16_t* environment,
                                       uint32_t level, uint8_t* drivers, uint32_t bufferSize,
                                       uint32_t* needed, uint32_t* returned) = 0;

  // OpenPrinterW(printerName, printer, defaults): printerName is a printer's
  // name, or ", XcvMonitor <monitor>" / ", XcvPort <port>" for a port
  // monitor; defaults may be null.
  virtual uint32_t OpenPrinterW(const char16_t* printerName, PrinterHandle* printer,
                                const PrinterDefaultsW* defaults) = 0;

  // ClosePrinter(printer).
  virtual uint32_t ClosePrinter(PrinterHandle printer) = 0;
};

// A printer or monitor the logic holds open; closed with ClosePrinter.
using OpenPrinter = OwnedHandle<Spooler, PrinterHandle, &Spooler::ClosePrinter>;

}  // namespace quispor::platform
