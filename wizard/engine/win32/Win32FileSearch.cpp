#include "wizard/engine/win32/Win32FileSearch.h"

#include <windows.h>

#include <cstddef>

namespace quispor::win32 {
namespace {

WIN32_FIND_DATAW* D(platform::FindDataW* data) { return reinterpret_cast<WIN32_FIND_DATAW*>(data); }

}  // namespace

static_assert(sizeof(platform::FindDataW) == sizeof(WIN32_FIND_DATAW));
static_assert(offsetof(platform::FindDataW, cFileName) == offsetof(WIN32_FIND_DATAW, cFileName));
static_assert(offsetof(platform::FindDataW, cAlternateFileName) == offsetof(WIN32_FIND_DATAW, cAlternateFileName));
static_assert(platform::kErrorNoMoreFiles == ERROR_NO_MORE_FILES);
static_assert(platform::kErrorFileNotFound == ERROR_FILE_NOT_FOUND);

uint32_t Win32FileSearch::GetSystemDirectoryW(char16_t* buffer, uint32_t size) {
  return ::GetSystemDirectoryW(reinterpret_cast<LPWSTR>(buffer), size);
}

uint32_t Win32FileSearch::FindFirstFileW(const char16_t* pattern, platform::FindDataW* data,
                                         platform::SearchHandle* search) {
  const HANDLE h = ::FindFirstFileW(reinterpret_cast<LPCWSTR>(pattern), D(data));
  if (h == INVALID_HANDLE_VALUE) {
    const uint32_t error = ::GetLastError();
    *search = 0;
    return error;
  }
  *search = reinterpret_cast<platform::SearchHandle>(h);
  return 0;
}

uint32_t Win32FileSearch::FindNextFileW(platform::SearchHandle search, platform::FindDataW* data) {
  return ::FindNextFileW(reinterpret_cast<HANDLE>(search), D(data)) ? 0 : ::GetLastError();
}

uint32_t Win32FileSearch::FindClose(platform::SearchHandle search) {
  return ::FindClose(reinterpret_cast<HANDLE>(search)) ? 0 : ::GetLastError();
}

}  // namespace quispor::win32
