#include "wizard/engine/win32/Win32CrtFiles.h"

#include <share.h>
#include <stdio.h>

namespace quispor::win32 {
namespace {

FILE* F(platform::FileHandle file) { return static_cast<FILE*>(file); }

}  // namespace

static_assert(platform::kShDenyNo == _SH_DENYNO);
static_assert(platform::kSeekSet == SEEK_SET && platform::kSeekEnd == SEEK_END);

platform::FileHandle Win32CrtFiles::fopen(const char* path, const char* mode) { return ::fopen(path, mode); }

platform::FileHandle Win32CrtFiles::_fsopen(const char* path, const char* mode, int shareFlag) {
  return ::_fsopen(path, mode, shareFlag);
}

int Win32CrtFiles::fclose(platform::FileHandle file) { return ::fclose(F(file)); }

int Win32CrtFiles::fseek(platform::FileHandle file, int32_t offset, int origin) {
  return ::fseek(F(file), offset, origin);
}

int32_t Win32CrtFiles::ftell(platform::FileHandle file) { return ::ftell(F(file)); }

std::size_t Win32CrtFiles::fread(void* buffer, std::size_t size, std::size_t count, platform::FileHandle file) {
  return ::fread(buffer, size, count, F(file));
}

std::size_t Win32CrtFiles::fwrite(const void* buffer, std::size_t size, std::size_t count, platform::FileHandle file) {
  return ::fwrite(buffer, size, count, F(file));
}

int Win32CrtFiles::fflush(platform::FileHandle file) { return ::fflush(F(file)); }

platform::FileHandle Win32CrtFiles::StandardOutput() { return stdout; }

}  // namespace quispor::win32
