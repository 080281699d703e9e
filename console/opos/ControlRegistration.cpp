#include "console/opos/ControlRegistration.h"

#include "console/opos/ComponentFolder.h"
#include "console/opos/OleError.h"
#include "console/opos/OposNames.h"

namespace vantrel {
namespace {

std::string Narrow(const std::u16string& ascii) {
  std::string out;
  for (char16_t c : ascii) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::u16string FolderOf(const std::u16string& path) {
  const auto cut = path.find_last_of(u"\\:");
  return cut == std::u16string::npos ? std::u16string() : path.substr(0, cut + 1);
}

bool RegisterServerModule(const std::u16string& path, ModuleApi& modules) {
  if (!modules.FileExists(path)) return false;
  const ModuleApi::Module module = modules.LoadModule(path);
  if (module == 0) return false;
  const ModuleApi::Export entry = modules.FindExport(module, opos::kRegistrationEntryPoint);
  if (entry == 0) {
    modules.UnloadModule(module);
    return false;
  }
  // A component that fails to register is found out when its object cannot
  // be created.
  (void)modules.CallEntryPoint(entry);
  modules.UnloadModule(module);
  return true;
}

std::unique_ptr<ComObject> CreateObjectFromProgId(const std::u16string& progId, ComApi& com) {
  const std::string what = "Cannot create an object of \"" + Narrow(progId) + "\"";
  Guid clsid;
  const std::int32_t found = com.ClsidFromProgId(progId, clsid);
  if (Failed(found)) throw OleError(what, "CLSIDFromProgID", found);
  std::unique_ptr<ComObject> object;
  const std::int32_t created = com.CreateDispatchObject(clsid, object);
  if (Failed(created) || !object) throw OleError(what, "CoCreateInstance", created);
  return object;
}

Registration RegisterPrinterControls(const std::string& classWord, ModuleApi& modules, ComApi& com,
                                     kit::trust::FileSecurity& security) {
  Registration result;
  try {
    if (AsciiUpper(classWord) != "PRINTER") return result;
    const std::u16string folder = FolderOf(modules.ProgramFilePath());
    result.refusal = WhyComponentsUntrusted(folder, security);
    if (!result.refusal.empty()) return result;
    const std::u16string controlPath = folder + opos::kControlFileName;
    const std::u16string serviceObjectPath = folder + opos::kServiceObjectFileName;

    // Both objects are held until the end so that each component has been
    // loaded and created once after its registration.
    std::unique_ptr<ComObject> control;
    std::unique_ptr<ComObject> serviceObject;
    if (modules.FileExists(controlPath) && RegisterServerModule(controlPath, modules)) {
      control = CreateObjectFromProgId(opos::kControlProgId, com);
    }
    if (modules.FileExists(serviceObjectPath) && RegisterServerModule(serviceObjectPath, modules)) {
      serviceObject = CreateObjectFromProgId(opos::kServiceObjectProgId, com);
    }
  } catch (...) {
    result.completed = false;
  }
  return result;
}

}  // namespace vantrel
