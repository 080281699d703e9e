// Starting a child process, waiting for it and reading how it ended (its exit
// code, and the system's text for a code), shaped like kernel32 so the Win32
// adapter passes the calls straight through. Results are 0 for success,
// otherwise the GetLastError code taken right after the call.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"

namespace quispor::platform {

// An opaque kernel object HANDLE (process or thread), as an integer.
using KernelHandle = std::uintptr_t;

inline constexpr uint32_t kStartfUseShowWindow = 0x00000001;
inline constexpr uint16_t kSwHide = 0;
inline constexpr uint32_t kInfinite = 0xFFFFFFFF;
inline constexpr uint32_t kWaitObject0 = 0;
inline constexpr uint32_t kWaitFailed = 0xFFFFFFFF;
inline constexpr uint32_t kStillActive = 259;  // STILL_ACTIVE
inline constexpr uint32_t kFormatMessageIgnoreInserts = 0x00000200;
inline constexpr uint32_t kFormatMessageFromSystem = 0x00001000;

// STARTUPINFOW, field for field (the adapter checks the layout; 104 bytes in
// a 64-bit program).
struct StartupInfoW {
  uint32_t cb;
  char16_t* lpReserved;
  char16_t* lpDesktop;
  char16_t* lpTitle;
  uint32_t dwX;
  uint32_t dwY;
  uint32_t dwXSize;
  uint32_t dwYSize;
  uint32_t dwXCountChars;
  uint32_t dwYCountChars;
  uint32_t dwFillAttribute;
  uint32_t dwFlags;
  uint16_t wShowWindow;
  uint16_t cbReserved2;
  uint8_t* lpReserved2;
  void* hStdInput;
  void* hStdOutput;
  void* hStdError;
};

// PROCESS_INFORMATION, field for field.
struct ProcessInformation {
  KernelHandle hProcess;
  KernelHandle hThread;
  uint32_t dwProcessId;
  uint32_t dwThreadId;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // CreateProcessW(applicationName, commandLine, processAttributes,
  // threadAttributes, inheritHandles, creationFlags, environment,
  // currentDirectory, startupInfo, processInformation). commandLine is
  // writable, as Windows requires.
  virtual uint32_t CreateProcessW(const char16_t* applicationName, char16_t* commandLine,
                                  const void* processAttributes, const void* threadAttributes, bool inheritHandles,
                                  uint32_t creationFlags, const void* environment, const char16_t* currentDirectory,
                                  const StartupInfoW* startupInfo, ProcessInformation* processInformation) = 0;

  // WaitForSingleObject(handle, milliseconds): its own result (WAIT_OBJECT_0,
  // WAIT_FAILED, ...), not an error code.
  virtual uint32_t WaitForSingleObject(KernelHandle handle, uint32_t milliseconds) = 0;

  // GetExitCodeProcess(process, exitCode): 259 (STILL_ACTIVE) while it runs.
  virtual uint32_t GetExitCodeProcess(KernelHandle process, uint32_t* exitCode) = 0;

  // CloseHandle(handle).
  virtual uint32_t CloseHandle(KernelHandle handle) = 0;

  // FormatMessageW(flags, nullptr, messageId, languageId, buffer, size,
  // nullptr): the number of characters written without the terminator, 0
  // when there is no text for the code (or it does not fit).
  virtual uint32_t FormatMessageW(uint32_t flags, uint32_t messageId, uint32_t languageId, char16_t* buffer,
                                  uint32_t size) = 0;
};

// A process or thread handle the logic holds; closed with CloseHandle.
using OwnedKernelHandle = OwnedHandle<Processes, KernelHandle, &Processes::CloseHandle>;

}  // namespace quispor::platform
