// winspool behind the Spooler interface, call for call, through its
// functions bound at run time (WinspoolFunctions.h).
#pragma once

#include "wizard/engine/platform/Spooler.h"

namespace quispor::win32 {

struct WinspoolFunctions;

class Win32Spooler final : public platform::Spooler {
 public:
  Win32Spooler() = default;  // the process's winspool.drv, bound at the first call
  explicit Win32Spooler(const WinspoolFunctions& functions) : functions_(&functions) {}

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

  // Installation and ports (Win32SpoolerInstall.cpp).
  uint32_t AddPrinterDriverW(const char16_t* server, uint32_t level, const platform::DriverInfo3W* driverInfo) override;
  uint32_t AddPrinterW(const char16_t* server, uint32_t level, const platform::PrinterInfo2W* printerInfo,
                       platform::PrinterHandle* printer) override;
  uint32_t SetDefaultPrinterW(const char16_t* printerName) override;
  uint32_t EnumPortsW(const char16_t* server, uint32_t level, uint8_t* ports, uint32_t bufferSize, uint32_t* needed,
                      uint32_t* returned) override;
  uint32_t XcvDataW(platform::PrinterHandle xcv, const char16_t* dataName, const uint8_t* input, uint32_t inputSize,
                    uint8_t* output, uint32_t outputSize, uint32_t* outputNeeded, uint32_t* status) override;

  // Printer and driver removal (Win32SpoolerRemoval.cpp).
  uint32_t EnumJobsW(platform::PrinterHandle printer, uint32_t firstJob, uint32_t jobCount, uint32_t level,
                     uint8_t* jobs, uint32_t bufferSize, uint32_t* needed, uint32_t* returned) override;
  uint32_t GetPrinterW(platform::PrinterHandle printer, uint32_t level, uint8_t* info, uint32_t bufferSize,
                       uint32_t* needed) override;
  uint32_t EnumFormsW(platform::PrinterHandle printer, uint32_t level, uint8_t* forms, uint32_t bufferSize,
                      uint32_t* needed, uint32_t* returned) override;
  uint32_t DeletePrinter(platform::PrinterHandle printer) override;
  uint32_t DeleteFormW(platform::PrinterHandle printer, const char16_t* formName) override;
  uint32_t DeletePrinterConnectionW(const char16_t* name) override;
  uint32_t DeletePrinterDriverExW(const char16_t* server, const char16_t* environment, const char16_t* driverName,
                                  uint32_t deleteFlag, uint32_t versionFlag) override;

 private:
  const WinspoolFunctions& Functions() const;

  const WinspoolFunctions* functions_ = nullptr;
};

}  // namespace quispor::win32
