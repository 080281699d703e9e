// The C runtime file calls of the wizard (its debug log, config.ini and the
// INF search), shaped like the Microsoft C runtime so the Win32 adapter
// passes them straight through. Modes without "b" are text mode:
// each "\n" written is stored as "\r\n".
#pragma once

#include <cstddef>
#include <cstdint>

#include "wizard/engine/platform/OwnedHandle.h"

namespace quispor::platform {

using FileHandle = void*;  // FILE*

inline constexpr int kShDenyNo = 0x40;  // _SH_DENYNO
inline constexpr int kSeekSet = 0;
inline constexpr int kSeekEnd = 2;

class CrtFiles {
 public:
  virtual ~CrtFiles() = default;

  // fopen(path, mode): null on failure.
  virtual FileHandle fopen(const char* path, const char* mode) = 0;
  // _fsopen(path, mode, shareFlag): null on failure.
  virtual FileHandle _fsopen(const char* path, const char* mode, int shareFlag) = 0;
  // fclose: 0 on success.
  virtual int fclose(FileHandle file) = 0;
  // fseek: 0 on success.
  virtual int fseek(FileHandle file, int32_t offset, int origin) = 0;
  // ftell: -1 on failure (long is 32-bit on Windows).
  virtual int32_t ftell(FileHandle file) = 0;
  virtual std::size_t fread(void* buffer, std::size_t size, std::size_t count, FileHandle file) = 0;
  virtual std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, FileHandle file) = 0;
  // fflush: 0 on success.
  virtual int fflush(FileHandle file) = 0;
  // The process's stdout stream (never closed by the logic).
  virtual FileHandle StandardOutput() = 0;
};

// A stream the logic opened; closed with fclose when it goes.
using CrtFile = OwnedHandle<CrtFiles, FileHandle, &CrtFiles::fclose>;

}  // namespace quispor::platform
