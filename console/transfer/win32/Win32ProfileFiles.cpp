#include "console/transfer/win32/Win32ProfileFiles.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "console/transfer/BackupFile.h"
#include "console/transfer/win32/Win32BackupFiles.h"
#include "console/transfer/win32/Win32TextCodec.h"
#include "console/win32/UniqueHandle.h"
#include "trust/win32/Win32FolderPlatform.h"

namespace vantrel::win32 {

namespace {

// At most this much per ReadFile or WriteFile call.
constexpr DWORD kChunk = 1u << 20;

[[noreturn]] void Fail(const char* what, const std::string& path) {
  const DWORD error = GetLastError();
  throw std::runtime_error(what + (" " + path) + " (error " + std::to_string(error) + ").");
}

}  // namespace

std::vector<std::uint8_t> Win32ProfileFiles::Read(const std::string& path, std::size_t maxBytes) {
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("Failed to open file", path);
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size)) Fail("Failed to read file", path);
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    throw std::runtime_error("The file " + path + " is too large to hold device profiles.");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    if (!ReadFile(file.get(), bytes.data() + done, want, &read, nullptr)) Fail("Failed to read file", path);
    if (read == 0) break;  // shorter than it was a moment ago
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

void Win32ProfileFiles::Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("Failed to create file", path);
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    if (!WriteFile(file.get(), bytes.data() + done, want, &written, nullptr) || written == 0) {
      Fail("Failed to write file", path);
    }
    done += written;
  }
}

std::string Win32ProfileFiles::WriteBackup(const std::vector<std::uint8_t>& bytes) {
  kit::trust::win32::Win32FolderPlatform folders;
  Win32BackupFiles files;
  Win32TextCodec codec;
  return WriteBackupFile(folders, files, codec, bytes);
}

}  // namespace vantrel::win32
