// Folder search of kernel32 and the system directory, shaped like the Win32
// calls so the adapter passes them straight through. Results are 0 for
// success, otherwise the GetLastError code taken right after the call
// (18 ERROR_NO_MORE_FILES ends a search).
#pragma once

#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"

namespace quispor::platform {

// An opaque search HANDLE, as an integer; 0 stands for INVALID_HANDLE_VALUE.
using SearchHandle = std::uintptr_t;

inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorNoMoreFiles = 18;

// WIN32_FIND_DATAW, field for field (the adapter checks the layout).
struct FindDataW {
  uint32_t dwFileAttributes;
  uint32_t ftCreationTime[2];
  uint32_t ftLastAccessTime[2];
  uint32_t ftLastWriteTime[2];
  uint32_t nFileSizeHigh;
  uint32_t nFileSizeLow;
  uint32_t dwReserved0;
  uint32_t dwReserved1;
  char16_t cFileName[260];
  char16_t cAlternateFileName[14];
};

class FileSearch {
 public:
  virtual ~FileSearch() = default;

  // GetSystemDirectoryW(buffer, size): the length without terminator; when
  // the buffer is too small, the size needed with terminator (buffer
  // untouched); 0 on failure.
  virtual uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size) = 0;

  // FindFirstFileW(pattern, data): *search is 0 on failure.
  virtual uint32_t FindFirstFileW(const char16_t* pattern, FindDataW* data, SearchHandle* search) = 0;
  // FindNextFileW(search, data).
  virtual uint32_t FindNextFileW(SearchHandle search, FindDataW* data) = 0;
  // FindClose(search).
  virtual uint32_t FindClose(SearchHandle search) = 0;
};

// A search the logic holds open; closed with FindClose.
using OpenSearch = OwnedHandle<FileSearch, SearchHandle, &FileSearch::FindClose>;

}  // namespace quispor::platform
