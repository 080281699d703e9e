// What an unattended run asks of Windows besides the engine's services: the
// files it writes (its log and its result) and the folder of its log, the
// clock and the machine-wide lock. Shaped like kernel32, so the Win32
// adapters pass the calls straight through; results are 0 or the
// GetLastError code taken right after the call.
#pragma once

#include <cstdint>

#include "trust/SafeFolder.h"
#include "wizard/engine/platform/Processes.h"

namespace quispor::unattended {

using platform::KernelHandle;

inline constexpr uint32_t kGenericWrite = 0x40000000;      // GENERIC_WRITE
inline constexpr uint32_t kFileAppendData = 0x00000004;    // FILE_APPEND_DATA
inline constexpr uint32_t kFileReadAttributes = 0x00000080; // FILE_READ_ATTRIBUTES
inline constexpr uint32_t kFileShareRead = 0x00000001;
inline constexpr uint32_t kFileShareWrite = 0x00000002;
inline constexpr uint32_t kOpenAlways = 4;  // OPEN_ALWAYS
inline constexpr uint32_t kFileFlagOpenReparsePoint = 0x00200000;  // FILE_FLAG_OPEN_REPARSE_POINT
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorAlreadyExists = 183;

// SYSTEMTIME, field for field.
struct SystemTime {
  uint16_t wYear;
  uint16_t wMonth;
  uint16_t wDayOfWeek;
  uint16_t wDay;
  uint16_t wHour;
  uint16_t wMinute;
  uint16_t wSecond;
  uint16_t wMilliseconds;
};

class RunFiles {
 public:
  virtual ~RunFiles() = default;
  // CreateFileW(path, access, share, nullptr, disposition,
  // FILE_ATTRIBUTE_NORMAL | flags, nullptr): 0 and the handle in *file, or
  // the error.
  virtual uint32_t CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                               uint32_t flags, KernelHandle* file) = 0;
  // GetFileInformationByHandle(file, &info): 0 with info.dwFileAttributes
  // and info.nNumberOfLinks, or the error.
  virtual uint32_t GetFileInformationByHandle(KernelHandle file, uint32_t* attributes, uint32_t* links) = 0;
  // SetEndOfFile(file).
  virtual uint32_t SetEndOfFile(KernelHandle file) = 0;
  // WriteFile(file, data, size, written, nullptr).
  virtual uint32_t WriteFile(KernelHandle file, const void* data, uint32_t size, uint32_t* written) = 0;
  // CloseHandle(file).
  virtual uint32_t CloseHandle(KernelHandle file) = 0;
  // Where the default log folder is found (ProgramData), made and checked.
  virtual kit::trust::FolderPlatform& Folders() = 0;
};

// A file the run holds open; closed with CloseHandle when it goes.
using OpenFile = platform::OwnedHandle<RunFiles, KernelHandle, &RunFiles::CloseHandle>;

class RunSession {
 public:
  virtual ~RunSession() = default;
  // GetLocalTime(time).
  virtual void GetLocalTime(SystemTime* time) = 0;
  // CreateMutexW(nullptr, FALSE, name): the handle (0 when none) and in
  // *error the GetLastError code taken right after the call (183 when the
  // mutex existed already).
  virtual KernelHandle CreateMutexW(const char16_t* name, uint32_t* error) = 0;
  // CloseHandle(handle).
  virtual uint32_t CloseHandle(KernelHandle handle) = 0;
};

}  // namespace quispor::unattended
