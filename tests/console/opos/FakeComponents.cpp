#include "tests/console/opos/FakeComponents.h"

#include <algorithm>

#include "console/opos/Guid.h"

namespace kit::fakes {
namespace {

char16_t Fold(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

class FakeObject : public vantrel::ComObject {
 public:
  FakeObject(std::vector<std::string>& log, FakeComRegistry& registry, std::string name)
      : log_(log), registry_(registry), name_(std::move(name)) {
    ++registry_.liveObjects;
  }
  ~FakeObject() override {
    --registry_.liveObjects;
    log_.push_back("Release " + name_);
  }

 private:
  std::vector<std::string>& log_;
  FakeComRegistry& registry_;
  std::string name_;
};

}  // namespace

bool NoCaseLess::operator()(const std::u16string& a, const std::u16string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Fold(x) < Fold(y); });
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::u16string FakeModuleApi::ProgramFilePath() {
  log_.push_back("GetModuleFileName");
  return programFile;
}

bool FakeModuleApi::FileExists(const std::u16string& path) {
  log_.push_back("FileExists " + Narrow(path));
  return files.count(path) != 0;
}

FakeModuleApi::Module FakeModuleApi::LoadModule(const std::u16string& path) {
  log_.push_back("LoadLibrary " + Narrow(path));
  const auto file = files.find(path);
  if (file == files.end() || !file->second.loadable) return 0;
  const Module module = nextModule_;
  nextModule_ += 0x10000;
  loaded_[module] = file->first;
  return module;
}

FakeModuleApi::Export FakeModuleApi::FindExport(Module module, const char* name) {
  log_.push_back(std::string("GetProcAddress ") + name);
  const auto it = loaded_.find(module);
  if (it == loaded_.end()) return 0;
  const FakeModuleFile& file = files.at(it->second);
  // The export's address is its module's base plus one, enough to find it.
  return std::string(name) == "DllRegisterServer" && file.hasRegisterEntry ? module + 1 : 0;
}

std::int32_t FakeModuleApi::CallEntryPoint(Export entry) {
  log_.push_back("DllRegisterServer");
  const auto it = loaded_.find(entry - 1);
  if (it == loaded_.end()) return static_cast<std::int32_t>(0x80004005);  // a stray pointer
  const FakeModuleFile& file = files.at(it->second);
  for (const auto& [progId, clsid] : file.progIds) {
    registry_.progIds[progId] = clsid;
    if (std::find(brokenClasses.begin(), brokenClasses.end(), clsid) == brokenClasses.end()) {
      registry_.creatable.push_back(clsid);
    }
  }
  return file.registerResult;
}

void FakeModuleApi::UnloadModule(Module module) {
  log_.push_back("FreeLibrary");
  loaded_.erase(module);
}

std::int32_t FakeComApi::ClsidFromProgId(const std::u16string& progId, vantrel::Guid& clsid) {
  log_.push_back("CLSIDFromProgID " + Narrow(progId));
  const auto it = registry_.progIds.find(progId);
  if (it == registry_.progIds.end()) return kCoEClassString;
  clsid = it->second;
  return 0;
}

std::int32_t FakeComApi::CreateDispatchObject(const vantrel::Guid& clsid,
                                              std::unique_ptr<vantrel::ComObject>& object) {
  const std::string name = vantrel::FormatGuid(clsid);
  log_.push_back("CoCreateInstance " + name);
  if (std::find(registry_.creatable.begin(), registry_.creatable.end(), clsid) ==
      registry_.creatable.end()) {
    return kRegDbEClassNotReg;
  }
  object = std::make_unique<FakeObject>(log_, registry_, name);
  return 0;
}

}  // namespace kit::fakes
