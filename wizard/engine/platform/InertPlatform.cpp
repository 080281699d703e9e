// The host tree's process-wide services: a machine with no flag file, no
// program path and an English default language. Tests bind fakes instead.
#include "wizard/engine/platform/Platform.h"

namespace quispor::platform {
namespace {

class InertFiles final : public CrtFiles {
 public:
  FileHandle fopen(const char*, const char*) override { return nullptr; }
  FileHandle _fsopen(const char*, const char*, int) override { return nullptr; }
  int fclose(FileHandle) override { return -1; }
  int fseek(FileHandle, int32_t, int) override { return -1; }
  int32_t ftell(FileHandle) override { return -1; }
  std::size_t fread(void*, std::size_t, std::size_t, FileHandle) override { return 0; }
  std::size_t fwrite(const void*, std::size_t, std::size_t, FileHandle) override { return 0; }
  int fflush(FileHandle) override { return -1; }
  FileHandle StandardOutput() override { return nullptr; }
};

class InertCodePage final : public CodePage {
 public:
  int WideCharToMultiByte(uint32_t, uint32_t, const char16_t*, int, char*, int, const char*, int*) override {
    return 0;
  }
  int MultiByteToWideChar(uint32_t, uint32_t, const char*, int, char16_t*, int) override { return 0; }
};

class InertSystemInfo final : public SystemInfo {
 public:
  ModuleHandle GetModuleHandleW(const char16_t*) override { return nullptr; }
  ProcAddress GetProcAddress(ModuleHandle, const char*) override { return nullptr; }
  void GetNativeSystemInfo(ProcAddress, SystemInfoData* info) override { *info = SystemInfoData{}; }
  void GetSystemInfo(SystemInfoData* info) override { *info = SystemInfoData{}; }
  uint32_t GetModuleFileNameW(ModuleHandle, char16_t*, uint32_t) override { return 0; }
  uint32_t GetModuleFileNameA(ModuleHandle, char*, uint32_t) override { return 0; }
  uint16_t GetSystemDefaultLangID() override { return 0x0409; }
};

}  // namespace

CrtFiles& ProcessFiles() {
  static InertFiles files;
  return files;
}

CodePage& ProcessCodePage() {
  static InertCodePage codePage;
  return codePage;
}

SystemInfo& ProcessSystemInfo() {
  static InertSystemInfo system;
  return system;
}

}  // namespace quispor::platform
