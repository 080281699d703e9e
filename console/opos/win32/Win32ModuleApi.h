// ModuleApi on kernel32: GetModuleFileNameW, GetFileAttributesW,
// LoadLibraryExW, GetProcAddress, FreeLibrary.
#pragma once

#include "console/opos/ModuleApi.h"

namespace vantrel::win32 {

class Win32ModuleApi : public ModuleApi {
 public:
  std::u16string ProgramFilePath() override;
  bool FileExists(const std::u16string& path) override;
  Module LoadModule(const std::u16string& path) override;
  Export FindExport(Module module, const char* name) override;
  std::int32_t CallEntryPoint(Export entry) override;
  void UnloadModule(Module module) override;
};

}  // namespace vantrel::win32
