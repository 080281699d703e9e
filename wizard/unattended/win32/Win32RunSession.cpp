#include "wizard/unattended/win32/Win32RunSession.h"

#include <windows.h>

namespace quispor::unattended::win32 {

static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME));

void Win32RunSession::GetLocalTime(SystemTime* time) { ::GetLocalTime(reinterpret_cast<SYSTEMTIME*>(time)); }

KernelHandle Win32RunSession::CreateMutexW(const char16_t* name, uint32_t* error) {
  const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name));
  *error = GetLastError();
  return reinterpret_cast<KernelHandle>(mutex);
}

uint32_t Win32RunSession::CloseHandle(KernelHandle handle) {
  return ::CloseHandle(reinterpret_cast<HANDLE>(handle)) ? 0 : GetLastError();
}

RunSession& SystemRunSession() {
  static Win32RunSession session;
  return session;
}

}  // namespace quispor::unattended::win32
