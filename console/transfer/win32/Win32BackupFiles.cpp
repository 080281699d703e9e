#include "console/transfer/win32/Win32BackupFiles.h"

#include <windows.h>

#include <algorithm>

#include "console/win32/UniqueHandle.h"

namespace vantrel::win32 {

namespace {

constexpr DWORD kChunk = 1u << 20;

}  // namespace

LocalTime Win32BackupFiles::Now() {
  SYSTEMTIME time = {};
  GetLocalTime(&time);
  return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

std::uint32_t Win32BackupFiles::WriteNewFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
  const auto* name = reinterpret_cast<const wchar_t*>(path.c_str());
  UniqueFile file(CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return GetLastError();
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    const BOOL ok = WriteFile(file.get(), bytes.data() + done, want, &written, nullptr);
    if (!ok || written == 0) {
      const DWORD error = ok ? ERROR_WRITE_FAULT : GetLastError();
      file.reset();
      DeleteFileW(name);
      return error;
    }
    done += written;
  }
  return 0;
}

}  // namespace vantrel::win32
