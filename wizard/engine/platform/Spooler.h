// The print spooler calls the wizard's engine makes, shaped like winspool so
// the Win32 adapter passes them straight through. Each returns 0 when the
// Win32 call succeeds, otherwise the GetLastError code taken right after it
// (122 ERROR_INSUFFICIENT_BUFFER for the first call of a size query).
// Enumerations fill a caller buffer exactly as Windows does (see
// SpoolerTypes.h).
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

  // Installation and ports.
  // AddPrinterDriverW(server, level, driverInfo).
  virtual uint32_t AddPrinterDriverW(const char16_t* server, uint32_t level, const DriverInfo3W* driverInfo) = 0;
  // SetLastError(0), then AddPrinterW(server, level, printerInfo); printer
  // gets the handle (0 when none came back) and the result is the
  // GetLastError code read right after the call when no handle came back.
  virtual uint32_t AddPrinterW(const char16_t* server, uint32_t level, const PrinterInfo2W* printerInfo,
                               PrinterHandle* printer) = 0;
  // The set-default-printer export of winspool, bound by ordinal 204
  // (SetDefaultPrinterW).
  virtual uint32_t SetDefaultPrinterW(const char16_t* printerName) = 0;
  // EnumPortsW(server, level, ports, bufferSize, needed, returned).
  virtual uint32_t EnumPortsW(const char16_t* server, uint32_t level, uint8_t* ports, uint32_t bufferSize,
                              uint32_t* needed, uint32_t* returned) = 0;
  // XcvDataW(xcv, dataName, input, inputSize, output, outputSize,
  // outputNeeded, status): 0 when the call succeeds; status is the
  // monitor's answer then.
  virtual uint32_t XcvDataW(PrinterHandle xcv, const char16_t* dataName, const uint8_t* input, uint32_t inputSize,
                            uint8_t* output, uint32_t outputSize, uint32_t* outputNeeded, uint32_t* status) = 0;

  // Printer and driver removal.
  // EnumJobsW(printer, firstJob, jobCount, level, jobs, bufferSize, needed,
  // returned).
  virtual uint32_t EnumJobsW(PrinterHandle printer, uint32_t firstJob, uint32_t jobCount, uint32_t level,
                             uint8_t* jobs, uint32_t bufferSize, uint32_t* needed, uint32_t* returned) = 0;
  // GetPrinterW(printer, level, info, bufferSize, needed).
  virtual uint32_t GetPrinterW(PrinterHandle printer, uint32_t level, uint8_t* info, uint32_t bufferSize,
                               uint32_t* needed) = 0;
  // EnumFormsW(printer, level, forms, bufferSize, needed, returned).
  virtual uint32_t EnumFormsW(PrinterHandle printer, uint32_t level, uint8_t* forms, uint32_t bufferSize,
                              uint32_t* needed, uint32_t* returned) = 0;
  // DeletePrinter(printer).
  virtual uint32_t DeletePrinter(PrinterHandle printer) = 0;
  // DeleteFormW(printer, formName).
  virtual uint32_t DeleteFormW(PrinterHandle printer, const char16_t* formName) = 0;
  // DeletePrinterConnectionW(name).
  virtual uint32_t DeletePrinterConnectionW(const char16_t* name) = 0;
  // DeletePrinterDriverExW(server, environment, driverName, deleteFlag,
  // versionFlag).
  virtual uint32_t DeletePrinterDriverExW(const char16_t* server, const char16_t* environment,
                                          const char16_t* driverName, uint32_t deleteFlag,
                                          uint32_t versionFlag) = 0;
};

// A printer or monitor the logic holds open; closed with ClosePrinter.
using OpenPrinter = OwnedHandle<Spooler, PrinterHandle, &Spooler::ClosePrinter>;

}  // namespace quispor::platform
