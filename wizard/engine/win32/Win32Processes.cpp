#include "wizard/engine/win32/Win32Processes.h"

#include <windows.h>

#include <cstddef>

namespace quispor::win32 {

static_assert(sizeof(platform::StartupInfoW) == sizeof(STARTUPINFOW));
static_assert(offsetof(platform::StartupInfoW, dwFlags) == offsetof(STARTUPINFOW, dwFlags));
static_assert(offsetof(platform::StartupInfoW, wShowWindow) == offsetof(STARTUPINFOW, wShowWindow));
static_assert(offsetof(platform::StartupInfoW, hStdError) == offsetof(STARTUPINFOW, hStdError));
static_assert(sizeof(platform::ProcessInformation) == sizeof(PROCESS_INFORMATION));
static_assert(offsetof(platform::ProcessInformation, hThread) == offsetof(PROCESS_INFORMATION, hThread));
static_assert(offsetof(platform::ProcessInformation, dwThreadId) == offsetof(PROCESS_INFORMATION, dwThreadId));
static_assert(platform::kStartfUseShowWindow == STARTF_USESHOWWINDOW);
static_assert(platform::kSwHide == SW_HIDE);
static_assert(platform::kInfinite == INFINITE);
static_assert(platform::kStillActive == STILL_ACTIVE);
static_assert(platform::kFormatMessageFromSystem == FORMAT_MESSAGE_FROM_SYSTEM);
static_assert(platform::kFormatMessageIgnoreInserts == FORMAT_MESSAGE_IGNORE_INSERTS);
#ifdef _WIN64
static_assert(sizeof(STARTUPINFOW) == 104);
#endif

uint32_t Win32Processes::CreateProcessW(const char16_t* applicationName, char16_t* commandLine,
                                        const void* processAttributes, const void* threadAttributes,
                                        bool inheritHandles, uint32_t creationFlags, const void* environment,
                                        const char16_t* currentDirectory, const platform::StartupInfoW* startupInfo,
                                        platform::ProcessInformation* processInformation) {
  PROCESS_INFORMATION info{};
  const BOOL ok = ::CreateProcessW(
      reinterpret_cast<LPCWSTR>(applicationName), reinterpret_cast<LPWSTR>(commandLine),
      static_cast<LPSECURITY_ATTRIBUTES>(const_cast<void*>(processAttributes)),
      static_cast<LPSECURITY_ATTRIBUTES>(const_cast<void*>(threadAttributes)), inheritHandles ? TRUE : FALSE,
      creationFlags, const_cast<void*>(environment), reinterpret_cast<LPCWSTR>(currentDirectory),
      reinterpret_cast<LPSTARTUPINFOW>(const_cast<platform::StartupInfoW*>(startupInfo)), &info);
  const uint32_t error = ok ? 0 : ::GetLastError();
  processInformation->hProcess = reinterpret_cast<platform::KernelHandle>(info.hProcess);
  processInformation->hThread = reinterpret_cast<platform::KernelHandle>(info.hThread);
  processInformation->dwProcessId = info.dwProcessId;
  processInformation->dwThreadId = info.dwThreadId;
  return error;
}

uint32_t Win32Processes::WaitForSingleObject(platform::KernelHandle handle, uint32_t milliseconds) {
  return ::WaitForSingleObject(reinterpret_cast<HANDLE>(handle), milliseconds);
}

uint32_t Win32Processes::GetExitCodeProcess(platform::KernelHandle process, uint32_t* exitCode) {
  DWORD code = 0;
  const BOOL ok = ::GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &code);
  const uint32_t error = ok ? 0 : ::GetLastError();
  *exitCode = code;
  return error;
}

uint32_t Win32Processes::CloseHandle(platform::KernelHandle handle) {
  return ::CloseHandle(reinterpret_cast<HANDLE>(handle)) ? 0 : ::GetLastError();
}

uint32_t Win32Processes::FormatMessageW(uint32_t flags, uint32_t messageId, uint32_t languageId, char16_t* buffer,
                                        uint32_t size) {
  return ::FormatMessageW(flags, nullptr, messageId, languageId, reinterpret_cast<LPWSTR>(buffer), size, nullptr);
}

}  // namespace quispor::win32
