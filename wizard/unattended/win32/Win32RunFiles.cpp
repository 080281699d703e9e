#include "wizard/unattended/win32/Win32RunFiles.h"

#include <windows.h>

namespace quispor::unattended::win32 {
namespace {

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

uint32_t Result(BOOL ok) { return ok ? 0 : GetLastError(); }

}  // namespace

uint32_t Win32RunFiles::CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                                    KernelHandle* file) {
  const HANDLE handle = ::CreateFileW(W(path), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  const uint32_t error = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  *file = error == 0 ? reinterpret_cast<KernelHandle>(handle) : 0;
  return error;
}

uint32_t Win32RunFiles::WriteFile(KernelHandle file, const void* data, uint32_t size, uint32_t* written) {
  DWORD count = 0;
  const uint32_t error = Result(::WriteFile(reinterpret_cast<HANDLE>(file), data, size, &count, nullptr));
  *written = count;
  return error;
}

uint32_t Win32RunFiles::CloseHandle(KernelHandle file) { return Result(::CloseHandle(reinterpret_cast<HANDLE>(file))); }

uint32_t Win32RunFiles::CreateDirectoryW(const char16_t* path) { return Result(::CreateDirectoryW(W(path), nullptr)); }

RunFiles& SystemRunFiles() {
  static Win32RunFiles files;
  return files;
}

}  // namespace quispor::unattended::win32
