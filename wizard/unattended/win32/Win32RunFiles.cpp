#include "wizard/unattended/win32/Win32RunFiles.h"

#include <windows.h>

namespace quispor::unattended::win32 {
namespace {

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

uint32_t Result(BOOL ok) { return ok ? 0 : GetLastError(); }

}  // namespace

uint32_t Win32RunFiles::CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                                    uint32_t flags, KernelHandle* file) {
  const HANDLE handle =
      ::CreateFileW(W(path), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
  const uint32_t error = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  *file = error == 0 ? reinterpret_cast<KernelHandle>(handle) : 0;
  return error;
}

uint32_t Win32RunFiles::GetFileInformationByHandle(KernelHandle file, uint32_t* attributes, uint32_t* links) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(file), &info)) {
    return GetLastError();
  }
  *attributes = info.dwFileAttributes;
  *links = info.nNumberOfLinks;
  return 0;
}

uint32_t Win32RunFiles::SetEndOfFile(KernelHandle file) { return Result(::SetEndOfFile(reinterpret_cast<HANDLE>(file))); }

uint32_t Win32RunFiles::WriteFile(KernelHandle file, const void* data, uint32_t size, uint32_t* written) {
  DWORD count = 0;
  const uint32_t error = Result(::WriteFile(reinterpret_cast<HANDLE>(file), data, size, &count, nullptr));
  *written = count;
  return error;
}

uint32_t Win32RunFiles::CloseHandle(KernelHandle file) { return Result(::CloseHandle(reinterpret_cast<HANDLE>(file))); }

RunFiles& SystemRunFiles() {
  static Win32RunFiles files;
  return files;
}

}  // namespace quispor::unattended::win32
