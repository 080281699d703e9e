#include "wizard/engine/win32/Win32Spooler.h"

#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "wizard/engine/win32/WinspoolFunctions.h"

namespace quispor::win32 {
namespace {

LPWSTR W(const char16_t* text) { return reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text)); }

uint32_t Result(BOOL ok) { return ok ? 0 : ::GetLastError(); }

}  // namespace

// The logic reads the spooler's records through these mirrors.
static_assert(sizeof(platform::PrinterInfo2W) == sizeof(PRINTER_INFO_2W));
static_assert(offsetof(platform::PrinterInfo2W, pPrinterName) == offsetof(PRINTER_INFO_2W, pPrinterName));
static_assert(offsetof(platform::PrinterInfo2W, pDriverName) == offsetof(PRINTER_INFO_2W, pDriverName));
static_assert(offsetof(platform::PrinterInfo2W, pSecurityDescriptor) ==
              offsetof(PRINTER_INFO_2W, pSecurityDescriptor));
static_assert(offsetof(platform::PrinterInfo2W, Attributes) == offsetof(PRINTER_INFO_2W, Attributes));
static_assert(offsetof(platform::PrinterInfo2W, AveragePPM) == offsetof(PRINTER_INFO_2W, AveragePPM));
static_assert(sizeof(platform::DriverInfo1W) == sizeof(DRIVER_INFO_1W));
static_assert(sizeof(platform::PrinterDefaultsW) == sizeof(PRINTER_DEFAULTSW));
static_assert(offsetof(platform::PrinterDefaultsW, DesiredAccess) == offsetof(PRINTER_DEFAULTSW, DesiredAccess));
static_assert(sizeof(platform::PrinterHandle) == sizeof(HANDLE));
static_assert(platform::kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);
static_assert(platform::kPrinterEnumLocal == PRINTER_ENUM_LOCAL);
static_assert(platform::kPrinterEnumConnections == PRINTER_ENUM_CONNECTIONS);

const WinspoolFunctions& Win32Spooler::Functions() const {
  return functions_ != nullptr ? *functions_ : Winspool();
}

uint32_t Win32Spooler::GetPrinterDriverDirectoryW(const char16_t* server, const char16_t* environment,
                                                  uint32_t level, uint8_t* driverDirectory, uint32_t bufferSize,
                                                  uint32_t* needed) {
  DWORD n = 0;
  const BOOL ok =
      Functions().GetPrinterDriverDirectoryW(W(server), W(environment), level, driverDirectory, bufferSize, &n);
  const uint32_t error = Result(ok);
  if (needed != nullptr) {
    *needed = n;
  }
  return error;
}

uint32_t Win32Spooler::EnumPrintersW(uint32_t flags, const char16_t* name, uint32_t level, uint8_t* printers,
                                     uint32_t bufferSize, uint32_t* needed, uint32_t* returned) {
  DWORD n = 0;
  DWORD r = 0;
  const BOOL ok = Functions().EnumPrintersW(flags, W(name), level, printers, bufferSize, &n, &r);
  const uint32_t error = Result(ok);
  if (needed != nullptr) {
    *needed = n;
  }
  if (returned != nullptr) {
    *returned = r;
  }
  return error;
}

uint32_t Win32Spooler::EnumPrinterDriversW(const char16_t* server, const char16_t* environment, uint32_t level,
                                           uint8_t* drivers, uint32_t bufferSize, uint32_t* needed,
                                           uint32_t* returned) {
  DWORD n = 0;
  DWORD r = 0;
  const BOOL ok = Functions().EnumPrinterDriversW(W(server), W(environment), level, drivers, bufferSize, &n, &r);
  const uint32_t error = Result(ok);
  if (needed != nullptr) {
    *needed = n;
  }
  if (returned != nullptr) {
    *returned = r;
  }
  return error;
}

uint32_t Win32Spooler::OpenPrinterW(const char16_t* printerName, platform::PrinterHandle* printer,
                                    const platform::PrinterDefaultsW* defaults) {
  HANDLE h = nullptr;
  auto* d = reinterpret_cast<PRINTER_DEFAULTSW*>(const_cast<platform::PrinterDefaultsW*>(defaults));
  const BOOL ok = Functions().OpenPrinterW(W(printerName), &h, d);
  const uint32_t error = Result(ok);
  *printer = ok ? reinterpret_cast<platform::PrinterHandle>(h) : 0;
  return error;
}

uint32_t Win32Spooler::ClosePrinter(platform::PrinterHandle printer) {
  return Result(Functions().ClosePrinter(reinterpret_cast<HANDLE>(printer)));
}

}  // namespace quispor::win32
