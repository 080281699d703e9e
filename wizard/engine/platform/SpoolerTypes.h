// The spooler's information records, laid out exactly like winspool's
// PRINTER_INFO_2W and DRIVER_INFO_1W (the Win32 adapter checks sizes and
// offsets at compile time), so enumeration buffers pass through unchanged:
// records at the front, the texts they point to behind them.
#pragma once

#include <cstdint>

namespace quispor::platform {

inline constexpr uint32_t kPrinterEnumLocal = 0x00000002;
inline constexpr uint32_t kPrinterEnumConnections = 0x00000004;

// PRINTER_INFO_2W.
struct PrinterInfo2W {
  char16_t* pServerName;
  char16_t* pPrinterName;
  char16_t* pShareName;
  char16_t* pPortName;
  char16_t* pDriverName;
  char16_t* pComment;
  char16_t* pLocation;
  void* pDevMode;
  char16_t* pSepFile;
  char16_t* pPrintProcessor;
  char16_t* pDatatype;
  char16_t* pParameters;
  void* pSecurityDescriptor;
  uint32_t Attributes;
  uint32_t Priority;
  uint32_t DefaultPriority;
  uint32_t StartTime;
  uint32_t UntilTime;
  uint32_t Status;
  uint32_t cJobs;
  uint32_t AveragePPM;
};

// PRINTER_DEFAULTSW.
struct PrinterDefaultsW {
  char16_t* pDatatype;
  void* pDevMode;
  uint32_t DesiredAccess;
};

// DRIVER_INFO_1W.
struct DriverInfo1W {
  char16_t* pName;
};

}  // namespace quispor::platform
