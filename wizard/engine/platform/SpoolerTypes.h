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

// Printer and driver removal.
inline constexpr uint32_t kPrinterAllAccess = 0x000F000C;
inline constexpr uint32_t kDpdDeleteUnusedFiles = 0x00000001;
inline constexpr uint32_t kErrorUnknownPrinterDriver = 1797;
inline constexpr uint32_t kErrorPrinterDriverInUse = 3001;

// JOB_INFO_3.
struct JobInfo3 {
  uint32_t JobId;
  uint32_t NextJobId;
  uint32_t Reserved;
};

// FORM_INFO_1W.
struct FormInfo1W {
  uint32_t Flags;
  char16_t* pName;
  int32_t SizeCx;
  int32_t SizeCy;
  int32_t ImageableLeft;
  int32_t ImageableTop;
  int32_t ImageableRight;
  int32_t ImageableBottom;
};

// Installation and ports: DRIVER_INFO_3W, PORT_INFO_2W and the values the
// install path passes.
inline constexpr uint32_t kPrinterAttributeLocal = 0x00000040;  // PRINTER_ATTRIBUTE_LOCAL
inline constexpr uint32_t kPrinterAttributeNetwork = 0x00000010;  // PRINTER_ATTRIBUTE_NETWORK
inline constexpr uint32_t kServerAccessAdminister = 0x00000001;  // SERVER_ACCESS_ADMINISTER
inline constexpr uint32_t kErrorPrinterAlreadyExists = 1802;     // ERROR_PRINTER_ALREADY_EXISTS
inline constexpr uint32_t kErrorUnknownPort = 1796;              // ERROR_UNKNOWN_PORT
inline constexpr uint32_t kErrorAlreadyExists = 183;             // ERROR_ALREADY_EXISTS

// DRIVER_INFO_3W.
struct DriverInfo3W {
  uint32_t cVersion;
  char16_t* pName;
  char16_t* pEnvironment;
  char16_t* pDriverPath;
  char16_t* pDataFile;
  char16_t* pConfigFile;
  char16_t* pHelpFile;
  char16_t* pDependentFiles;  // NUL-separated list ending in an empty name
  char16_t* pMonitorName;
  char16_t* pDefaultDataType;
};

// PORT_INFO_2W.
struct PortInfo2W {
  char16_t* pPortName;
  char16_t* pMonitorName;
  char16_t* pDescription;
  uint32_t fPortType;
  uint32_t Reserved;
};

}  // namespace quispor::platform
