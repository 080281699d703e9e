// winspool.drv's functions of the spooler adapter, bound at run time from the
// system directory. The library is not a KnownDLL: named in the import table,
// it would be taken from the wizard's own folder first.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <type_traits>

#include "trust/win32/SystemLibrary.h"

namespace quispor::win32 {

// A function that may be missing. Called, it answers as the function would
// when it fails (FALSE or a null handle), with the reason as the last error:
// the load's own code, or 127 where the library lacks the export.
template <typename Function>
struct BoundFunction {
  Function function = nullptr;
  DWORD error = ERROR_PROC_NOT_FOUND;

  template <typename... Args>
  auto operator()(Args... args) const {
    using Answer = std::invoke_result_t<Function, Args...>;
    if (function == nullptr) {
      ::SetLastError(error);
      return Answer{};
    }
    return function(args...);
  }
};

struct WinspoolFunctions {
  BoundFunction<decltype(&::GetPrinterDriverDirectoryW)> GetPrinterDriverDirectoryW;
  BoundFunction<decltype(&::EnumPrintersW)> EnumPrintersW;
  BoundFunction<decltype(&::EnumPrinterDriversW)> EnumPrinterDriversW;
  BoundFunction<decltype(&::OpenPrinterW)> OpenPrinterW;
  BoundFunction<decltype(&::ClosePrinter)> ClosePrinter;
  BoundFunction<decltype(&::AddPrinterDriverW)> AddPrinterDriverW;
  BoundFunction<decltype(&::AddPrinterW)> AddPrinterW;
  BoundFunction<decltype(&::SetDefaultPrinterW)> SetDefaultPrinterW;  // by its ordinal, 204
  BoundFunction<decltype(&::EnumPortsW)> EnumPortsW;
  BoundFunction<decltype(&::XcvDataW)> XcvDataW;
  BoundFunction<decltype(&::EnumJobsW)> EnumJobsW;
  BoundFunction<decltype(&::GetPrinterW)> GetPrinterW;
  BoundFunction<decltype(&::EnumFormsW)> EnumFormsW;
  BoundFunction<decltype(&::DeletePrinter)> DeletePrinter;
  BoundFunction<decltype(&::DeleteFormW)> DeleteFormW;
  BoundFunction<decltype(&::DeletePrinterConnectionW)> DeletePrinterConnectionW;
  BoundFunction<decltype(&::DeletePrinterDriverExW)> DeletePrinterDriverExW;
};

// The functions of a loaded (or failed) library; the library stays its owner's.
WinspoolFunctions BindWinspool(const kit::trust::win32::SystemLibrary& library);

// The process's table: winspool.drv from the system directory, bound at the
// first call and kept loaded until the process ends.
const WinspoolFunctions& Winspool();

}  // namespace quispor::win32
