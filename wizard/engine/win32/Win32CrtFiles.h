// The Microsoft C runtime's stdio behind the CrtFiles interface, call for call.
#pragma once

#include "wizard/engine/platform/CrtFiles.h"

namespace quispor::win32 {

class Win32CrtFiles final : public platform::CrtFiles {
 public:
  platform::FileHandle fopen(const char* path, const char* mode) override;
  platform::FileHandle _fsopen(const char* path, const char* mode, int shareFlag) override;
  int fclose(platform::FileHandle file) override;
  int fseek(platform::FileHandle file, int32_t offset, int origin) override;
  int32_t ftell(platform::FileHandle file) override;
  std::size_t fread(void* buffer, std::size_t size, std::size_t count, platform::FileHandle file) override;
  std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, platform::FileHandle file) override;
  int fflush(platform::FileHandle file) override;
  platform::FileHandle StandardOutput() override;
};

}  // namespace quispor::win32
