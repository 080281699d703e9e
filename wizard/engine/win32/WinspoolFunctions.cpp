#include "wizard/engine/win32/WinspoolFunctions.h"

namespace quispor::win32 {
namespace {

using kit::trust::win32::SystemLibrary;

DWORD MissingReason(const SystemLibrary& library) {
  return library.Loaded() ? ERROR_PROC_NOT_FOUND : library.LoadError();
}

template <typename Function>
void Bind(const SystemLibrary& library, const char* name, BoundFunction<Function>& slot) {
  slot = {library.Find<Function>(name), MissingReason(library)};
}

template <typename Function>
void BindOrdinal(const SystemLibrary& library, WORD ordinal, BoundFunction<Function>& slot) {
  slot = {library.FindOrdinal<Function>(ordinal), MissingReason(library)};
}

}  // namespace

WinspoolFunctions BindWinspool(const SystemLibrary& library) {
  WinspoolFunctions table;
  Bind(library, "GetPrinterDriverDirectoryW", table.GetPrinterDriverDirectoryW);
  Bind(library, "EnumPrintersW", table.EnumPrintersW);
  Bind(library, "EnumPrinterDriversW", table.EnumPrinterDriversW);
  Bind(library, "OpenPrinterW", table.OpenPrinterW);
  Bind(library, "ClosePrinter", table.ClosePrinter);
  Bind(library, "AddPrinterDriverW", table.AddPrinterDriverW);
  Bind(library, "AddPrinterW", table.AddPrinterW);
  BindOrdinal(library, 204, table.SetDefaultPrinterW);
  Bind(library, "EnumPortsW", table.EnumPortsW);
  Bind(library, "XcvDataW", table.XcvDataW);
  Bind(library, "EnumJobsW", table.EnumJobsW);
  Bind(library, "GetPrinterW", table.GetPrinterW);
  Bind(library, "EnumFormsW", table.EnumFormsW);
  Bind(library, "DeletePrinter", table.DeletePrinter);
  Bind(library, "DeleteFormW", table.DeleteFormW);
  Bind(library, "DeletePrinterConnectionW", table.DeletePrinterConnectionW);
  Bind(library, "DeletePrinterDriverExW", table.DeletePrinterDriverExW);
  return table;
}

const WinspoolFunctions& Winspool() {
  static const WinspoolFunctions table = [] {
    SystemLibrary library(L"winspool.drv");
    WinspoolFunctions bound = BindWinspool(library);
    // The functions are used until the process ends.
    library.release();
    return bound;
  }();
  return table;
}

}  // namespace quispor::win32
