// The OLE Automation functions the control host calls, bound at run time
// from the system directory. The console needs them only to call the OPOS
// control (the health check), not to start, so oleaut32 loads then and stays
// loaded.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace vantrel::win32 {

struct OleAutomation {
  decltype(&::SysAllocStringLen) SysAllocStringLen = nullptr;
  decltype(&::SysFreeString) SysFreeString = nullptr;
  decltype(&::VariantInit) VariantInit = nullptr;
  decltype(&::VariantClear) VariantClear = nullptr;
  decltype(&::VariantChangeType) VariantChangeType = nullptr;
  // Why a function is missing: the load's Windows error code, or 127.
  DWORD missingReason = ERROR_SUCCESS;

  bool Complete() const {
    return SysAllocStringLen && SysFreeString && VariantInit && VariantClear && VariantChangeType;
  }
};

// The process's table, bound at the first call.
const OleAutomation& OleAut();

}  // namespace vantrel::win32
