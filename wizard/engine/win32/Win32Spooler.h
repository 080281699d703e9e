// winspool behind the Spooler interface, call for call.
#pragma once

#include "wizard/engine/platform/Spooler.h"

namespace quispor::win32 {

class Win32Spooler final : public platform::Spooler {
 public:
  uint32_t GetPrinterDriverDirectoryW(const char16_t* server, const char16_t* environment, uint32_t level,
                                      uint8_t* driverDirectory, uint32_t bufferSize, uint32_t* needed) override;
  uint32_t EnumPrintersW(uint32_t flags, const char16_t* name, uint32_t level, uint8_t* printers,
                         uint32_t bufferSize, uint32_t* needed, uint32_t* returned) override;
  uint32_t EnumPrinterDriversW(const char16_t* server, const char16_t* environment, uint32_t level,
                               uint8_t* drivers, uint32_t bufferSize, uint32_t* needed,
                               uint32_t* returned) override;
  uint32_t OpenPrinterW(const char16_t* printerName, platform::PrinterHandle* printer,
                        const platform::PrinterDefaultsW* defaults) override;
  uint32_t ClosePrinter(platform::PrinterHandle printer) override;
};

}  // namespace quispor::win32
