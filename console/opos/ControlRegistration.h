// Start-up registration of the OPOS control and the service object from the
// program's folder.
#pragma once

#include <memory>
#include <string>

#include "console/opos/ComApi.h"
#include "console/opos/ModuleApi.h"
#include "trust/FileSecurity.h"

namespace vantrel {

// Loads the module at path and calls its "DllRegisterServer" (whose result is
// not examined). True when the entry point was called.
[[nodiscard]] bool RegisterServerModule(const std::u16string& path, ModuleApi& modules);

struct Registration {
  bool completed = true;   // false when an object could not be created
  std::u16string refusal;  // not empty: nothing was loaded, and this says why
};

// Registers "OPOSPOSPrinter.ocx" and "SOZELTANO.dll" from the program's folder
// when classWord is "Printer" in any letter case, creating one object of each
// registered component, once the folder and the files have passed the check
// of ComponentFolder.h. Nothing is shown.
Registration RegisterPrinterControls(const std::string& classWord, ModuleApi& modules, ComApi& com,
                                     kit::trust::FileSecurity& security);

// The folder part of a path, up to and including its last "\" or ":" (empty
// when it has neither).
std::u16string FolderOf(const std::u16string& path);

// CLSIDFromProgID then CoCreateInstance for IDispatch; raises OleError.
std::unique_ptr<ComObject> CreateObjectFromProgId(const std::u16string& progId, ComApi& com);

}  // namespace vantrel
