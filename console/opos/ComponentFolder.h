// The console runs elevated and registers the OPOS components beside it for
// every program on the machine. A user who could swap one of those files
// would have it run with the console's rights, so the components are loaded
// only while nobody but the administrators can change the program's folder
// or the component files in it.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "console/opos/ModuleApi.h"
#include "console/opos/PosPrinterControl.h"
#include "trust/FileSecurity.h"

namespace vantrel {

inline constexpr char16_t kUntrustedComponentsText[] =
    u"The OPOS components were not registered: %s can be changed by users who are not administrators. "
    u"Copy Vantrel into a folder that only administrators can change, such as Program Files.";
inline constexpr char16_t kUncheckedComponentsText[] =
    u"The OPOS components were not registered: who can change %s cannot be read (error %u). "
    u"Copy Vantrel into a folder that only administrators can change, such as Program Files.";

// Checks folder (the program's folder, as FolderOf gives it) and the
// component files in it. Empty when they may be loaded, also when neither
// file is there; otherwise the text for the user, naming the folder, or the
// file when only a file fails.
std::u16string WhyComponentsUntrusted(const std::u16string& folder, kit::trust::FileSecurity& security);

// Raised instead of creating the health check's control; what() is the
// same text as at start, in the system code page.
class UntrustedComponentsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// UTF-16 text in the system code page, as the console shows it.
using NarrowText = std::function<std::string(const std::u16string&)>;

// The control loads from where it is registered, which may be the program's
// folder: the check runs again before every control is made.
class CheckedControlFactory : public PosPrinterControlFactory {
 public:
  CheckedControlFactory(PosPrinterControlFactory& controls, ModuleApi& modules, kit::trust::FileSecurity& security,
                        NarrowText narrow)
      : controls_(controls), modules_(modules), security_(security), narrow_(std::move(narrow)) {}
  std::unique_ptr<PosPrinterControl> Create() override;

 private:
  PosPrinterControlFactory& controls_;
  ModuleApi& modules_;
  kit::trust::FileSecurity& security_;
  NarrowText narrow_;
};

}  // namespace vantrel
