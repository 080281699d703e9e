// winspool calls of printer and driver removal, call for call.
#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "wizard/engine/win32/Win32Spooler.h"
#include "wizard/engine/win32/WinspoolFunctions.h"

namespace quispor::win32 {
namespace {

LPWSTR W(const char16_t* text) { return reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text)); }

HANDLE H(platform::PrinterHandle printer) { return reinterpret_cast<HANDLE>(printer); }

uint32_t Result(BOOL ok) { return ok ? 0 : ::GetLastError(); }

}  // namespace

static_assert(sizeof(platform::JobInfo3) == sizeof(JOB_INFO_3));
static_assert(sizeof(platform::FormInfo1W) == sizeof(FORM_INFO_1W));
static_assert(offsetof(platform::FormInfo1W, pName) == offsetof(FORM_INFO_1W, pName));
static_assert(offsetof(platform::FormInfo1W, ImageableBottom) == offsetof(FORM_INFO_1W, ImageableArea.bottom));
static_assert(offsetof(platform::PrinterInfo2W, cJobs) == offsetof(PRINTER_INFO_2W, cJobs));
static_assert(platform::kPrinterAllAccess == PRINTER_ALL_ACCESS);
static_assert(platform::kDpdDeleteUnusedFiles == DPD_DELETE_UNUSED_FILES);
static_assert(platform::kErrorUnknownPrinterDriver == ERROR_UNKNOWN_PRINTER_DRIVER);
static_assert(platform::kErrorPrinterDriverInUse == ERROR_PRINTER_DRIVER_IN_USE);

uint32_t Win32Spooler::EnumJobsW(platform::PrinterHandle printer, uint32_t firstJob, uint32_t jobCount,
                                 uint32_t level, uint8_t* jobs, uint32_t bufferSize, uint32_t* needed,
                                 uint32_t* returned) {
  DWORD n = 0;
  DWORD r = 0;
  const BOOL ok = Functions().EnumJobsW(H(printer), firstJob, jobCount, level, jobs, bufferSize, &n, &r);
  const uint32_t error = Result(ok);
  *needed = n;
  *returned = r;
  return error;
}

uint32_t Win32Spooler::GetPrinterW(platform::PrinterHandle printer, uint32_t level, uint8_t* info,
                                   uint32_t bufferSize, uint32_t* needed) {
  DWORD n = 0;
  const BOOL ok = Functions().GetPrinterW(H(printer), level, info, bufferSize, &n);
  const uint32_t error = Result(ok);
  *needed = n;
  return error;
}

uint32_t Win32Spooler::EnumFormsW(platform::PrinterHandle printer, uint32_t level, uint8_t* forms,
                                  uint32_t bufferSize, uint32_t* needed, uint32_t* returned) {
  DWORD n = 0;
  DWORD r = 0;
  const BOOL ok = Functions().EnumFormsW(H(printer), level, forms, bufferSize, &n, &r);
  const uint32_t error = Result(ok);
  *needed = n;
  *returned = r;
  return error;
}

uint32_t Win32Spooler::DeletePrinter(platform::PrinterHandle printer) {
  return Result(Functions().DeletePrinter(H(printer)));
}

uint32_t Win32Spooler::DeleteFormW(platform::PrinterHandle printer, const char16_t* formName) {
  return Result(Functions().DeleteFormW(H(printer), W(formName)));
}

uint32_t Win32Spooler::DeletePrinterConnectionW(const char16_t* name) {
  return Result(Functions().DeletePrinterConnectionW(W(name)));
}

uint32_t Win32Spooler::DeletePrinterDriverExW(const char16_t* server, const char16_t* environment,
                                              const char16_t* driverName, uint32_t deleteFlag,
                                              uint32_t versionFlag) {
  return Result(Functions().DeletePrinterDriverExW(W(server), W(environment), W(driverName), deleteFlag, versionFlag));
}

}  // namespace quispor::win32
