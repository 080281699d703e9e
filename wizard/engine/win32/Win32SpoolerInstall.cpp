// winspool's installation and port calls behind the Spooler interface.
#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "wizard/engine/win32/Win32Spooler.h"
#include "wizard/engine/win32/WinspoolFunctions.h"

namespace quispor::win32 {
namespace {

LPWSTR W(const char16_t* text) { return reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text)); }

uint32_t Result(BOOL ok) { return ok ? 0 : ::GetLastError(); }

}  // namespace

static_assert(sizeof(platform::DriverInfo3W) == sizeof(DRIVER_INFO_3W));
static_assert(offsetof(platform::DriverInfo3W, pName) == offsetof(DRIVER_INFO_3W, pName));
static_assert(offsetof(platform::DriverInfo3W, pDependentFiles) == offsetof(DRIVER_INFO_3W, pDependentFiles));
static_assert(offsetof(platform::DriverInfo3W, pDefaultDataType) == offsetof(DRIVER_INFO_3W, pDefaultDataType));
static_assert(sizeof(platform::PortInfo2W) == sizeof(PORT_INFO_2W));
static_assert(offsetof(platform::PortInfo2W, pDescription) == offsetof(PORT_INFO_2W, pDescription));
static_assert(offsetof(platform::PortInfo2W, fPortType) == offsetof(PORT_INFO_2W, fPortType));
static_assert(platform::kPrinterAttributeLocal == PRINTER_ATTRIBUTE_LOCAL);
static_assert(platform::kPrinterAttributeNetwork == PRINTER_ATTRIBUTE_NETWORK);
static_assert(platform::kServerAccessAdminister == SERVER_ACCESS_ADMINISTER);
static_assert(platform::kErrorPrinterAlreadyExists == ERROR_PRINTER_ALREADY_EXISTS);
static_assert(platform::kErrorUnknownPort == ERROR_UNKNOWN_PORT);
static_assert(platform::kErrorAlreadyExists == ERROR_ALREADY_EXISTS);

uint32_t Win32Spooler::AddPrinterDriverW(const char16_t* server, uint32_t level,
                                         const platform::DriverInfo3W* driverInfo) {
  auto* info = reinterpret_cast<LPBYTE>(const_cast<platform::DriverInfo3W*>(driverInfo));
  return Result(Functions().AddPrinterDriverW(W(server), level, info));
}

uint32_t Win32Spooler::AddPrinterW(const char16_t* server, uint32_t level, const platform::PrinterInfo2W* printerInfo,
                                   platform::PrinterHandle* printer) {
  auto* info = reinterpret_cast<LPBYTE>(const_cast<platform::PrinterInfo2W*>(printerInfo));
  ::SetLastError(0);
  HANDLE h = Functions().AddPrinterW(W(server), level, info);
  const uint32_t error = h != nullptr ? 0 : ::GetLastError();
  *printer = reinterpret_cast<platform::PrinterHandle>(h);
  return error;
}

uint32_t Win32Spooler::SetDefaultPrinterW(const char16_t* printerName) {
  return Result(Functions().SetDefaultPrinterW(reinterpret_cast<LPCWSTR>(printerName)));
}

uint32_t Win32Spooler::EnumPortsW(const char16_t* server, uint32_t level, uint8_t* ports, uint32_t bufferSize,
                                  uint32_t* needed, uint32_t* returned) {
  DWORD n = 0;
  DWORD r = 0;
  const BOOL ok = Functions().EnumPortsW(W(server), level, ports, bufferSize, &n, &r);
  const uint32_t error = Result(ok);
  if (needed != nullptr) {
    *needed = n;
  }
  if (returned != nullptr) {
    *returned = r;
  }
  return error;
}

uint32_t Win32Spooler::XcvDataW(platform::PrinterHandle xcv, const char16_t* dataName, const uint8_t* input,
                                uint32_t inputSize, uint8_t* output, uint32_t outputSize, uint32_t* outputNeeded,
                                uint32_t* status) {
  DWORD n = 0;
  DWORD s = 0;
  const BOOL ok = Functions().XcvDataW(reinterpret_cast<HANDLE>(xcv), reinterpret_cast<PCWSTR>(dataName),
                             const_cast<PBYTE>(input), inputSize, output, outputSize, &n, &s);
  const uint32_t error = Result(ok);
  if (outputNeeded != nullptr) {
    *outputNeeded = n;
  }
  if (status != nullptr) {
    *status = s;
  }
  return error;
}

}  // namespace quispor::win32
