// In-memory stand-ins for module loading and COM object creation, joined the
// way Windows joins them: a module's "DllRegisterServer" is what makes its
// ProgIDs resolve and its classes creatable. Every call is recorded.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "console/opos/ComApi.h"
#include "console/opos/ModuleApi.h"

namespace kit::fakes {

// Case-insensitive (ASCII) comparison, as Windows compares paths and ProgIDs.
struct NoCaseLess {
  bool operator()(const std::u16string& a, const std::u16string& b) const;
};

std::string Narrow(const std::u16string& text);

// What one file on the fake disk is.
struct FakeModuleFile {
  bool loadable = true;         // LoadLibrary succeeds
  bool hasRegisterEntry = true;  // exports "DllRegisterServer"
  std::int32_t registerResult = 0;
  // What its registration entry adds: ProgID -> class id.
  std::map<std::u16string, vantrel::Guid, NoCaseLess> progIds;
};

struct FakeComRegistry {
  std::map<std::u16string, vantrel::Guid, NoCaseLess> progIds;
  std::vector<vantrel::Guid> creatable;
  int liveObjects = 0;
};

class FakeModuleApi : public vantrel::ModuleApi {
 public:
  FakeModuleApi(std::vector<std::string>& log, FakeComRegistry& registry)
      : log_(log), registry_(registry) {}

  std::u16string programFile = u"C:\\Program Files\\Vantrel\\Vantrel.exe";
  std::map<std::u16string, FakeModuleFile, NoCaseLess> files;
  // Class ids whose ProgIDs register but whose objects cannot be created.
  std::vector<vantrel::Guid> brokenClasses;

  std::u16string ProgramFilePath() override;
  bool FileExists(const std::u16string& path) override;
  Module LoadModule(const std::u16string& path) override;
  Export FindExport(Module module, const char* name) override;
  std::int32_t CallEntryPoint(Export entry) override;
  void UnloadModule(Module module) override;

  int loadedModules() const { return static_cast<int>(loaded_.size()); }

 private:
  std::vector<std::string>& log_;
  FakeComRegistry& registry_;
  std::map<Module, std::u16string> loaded_;
  Module nextModule_ = 0x10000000;
};

class FakeComApi : public vantrel::ComApi {
 public:
  FakeComApi(std::vector<std::string>& log, FakeComRegistry& registry)
      : log_(log), registry_(registry) {}

  std::int32_t ClsidFromProgId(const std::u16string& progId, vantrel::Guid& clsid) override;
  std::int32_t CreateDispatchObject(const vantrel::Guid& clsid,
                                    std::unique_ptr<vantrel::ComObject>& object) override;

 private:
  std::vector<std::string>& log_;
  FakeComRegistry& registry_;
};

// HRESULTs as Windows answers them.
inline constexpr std::int32_t kCoEClassString = static_cast<std::int32_t>(0x800401F3);
inline constexpr std::int32_t kRegDbEClassNotReg = static_cast<std::int32_t>(0x80040154);

}  // namespace kit::fakes
