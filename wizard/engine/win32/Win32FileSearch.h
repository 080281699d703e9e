// kernel32's folder search and system directory behind the FileSearch
// interface, call for call.
#pragma once

#include "wizard/engine/platform/FileSearch.h"

namespace quispor::win32 {

class Win32FileSearch final : public platform::FileSearch {
 public:
  uint32_t GetSystemDirectoryW(char16_t* buffer, uint32_t size) override;
  uint32_t FindFirstFileW(const char16_t* pattern, platform::FindDataW* data, platform::SearchHandle* search) override;
  uint32_t FindNextFileW(platform::SearchHandle search, platform::FindDataW* data) override;
  uint32_t FindClose(platform::SearchHandle search) override;
};

}  // namespace quispor::win32
