// The module-loading calls of the component registration, one per Windows
// function. Paths are UTF-16 so that a program folder outside the system code
// page still works.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

class ModuleApi {
 public:
  using Module = std::uintptr_t;  // 0: not loaded
  using Export = std::uintptr_t;  // 0: not found

  virtual ~ModuleApi() = default;

  // Full path of the running program file (GetModuleFileNameW of no module).
  virtual std::u16string ProgramFilePath() = 0;
  // True when a file (not a folder) exists at the path.
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual Module LoadModule(const std::u16string& path) = 0;        // LoadLibraryExW
  virtual Export FindExport(Module module, const char* name) = 0;    // GetProcAddress
  // Calls an entry point that takes no arguments and returns an HRESULT.
  virtual std::int32_t CallEntryPoint(Export entry) = 0;
  virtual void UnloadModule(Module module) = 0;                        // FreeLibrary
};

}  // namespace vantrel
