#include "wizard/engine/win32/Win32FileCopy.h"

#include <windows.h>

namespace quispor::win32 {

uint32_t Win32FileCopy::CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) {
  const BOOL ok = ::CopyFileW(reinterpret_cast<LPCWSTR>(existingFileName), reinterpret_cast<LPCWSTR>(newFileName),
                              failIfExists ? TRUE : FALSE);
  return ok ? 0 : ::GetLastError();
}

}  // namespace quispor::win32
