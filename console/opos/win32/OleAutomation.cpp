#include "console/opos/win32/OleAutomation.h"

#include "trust/win32/SystemLibrary.h"

namespace vantrel::win32 {

const OleAutomation& OleAut() {
  static const OleAutomation table = [] {
    kit::trust::win32::SystemLibrary library(L"oleaut32.dll");
    OleAutomation bound;
    bound.SysAllocStringLen = library.Find<decltype(&::SysAllocStringLen)>("SysAllocStringLen");
    bound.SysFreeString = library.Find<decltype(&::SysFreeString)>("SysFreeString");
    bound.VariantInit = library.Find<decltype(&::VariantInit)>("VariantInit");
    bound.VariantClear = library.Find<decltype(&::VariantClear)>("VariantClear");
    bound.VariantChangeType = library.Find<decltype(&::VariantChangeType)>("VariantChangeType");
    bound.missingReason = library.Loaded() ? ERROR_PROC_NOT_FOUND : library.LoadError();
    // The control's calls use them until the process ends.
    library.release();
    return bound;
  }();
  return table;
}

}  // namespace vantrel::win32
