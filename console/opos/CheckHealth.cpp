#include "console/opos/CheckHealth.h"

#include "console/opos/OposNames.h"

namespace vantrel {

void RunCheckHealth(const std::string& deviceNameField,
                    const std::optional<std::string>& currentNodeText,
                    PosPrinterControlFactory& controls, MessageSink& messages) {
  // Created before the name is looked at, so that a control that cannot be
  // created is reported even without a device name.
  const std::unique_ptr<PosPrinterControl> control = controls.Create();

  std::string name = deviceNameField;
  if (name.empty()) {
    if (!currentNodeText) return;
    name = *currentNodeText;
  }

  if (control->Open(name) != opos::kSuccess) {
    messages.ShowMessage(kCannotOpenText, kErrorCaption);
    return;
  }
  if (control->ClaimDevice(opos::kClaimTimeoutMs) != opos::kSuccess) {
    messages.ShowMessage(kCannotClaimText, kErrorCaption);
    control->Close();
    return;
  }
  control->SetDeviceEnabled(true);
  const bool healthy = control->CheckHealth(opos::kHealthCheckLevel) == opos::kSuccess;
  messages.ShowMessage(healthy ? kHealthOkText : kHealthFailText, kInformationCaption);
  control->SetDeviceEnabled(false);
  control->ReleaseDevice();
  control->Close();
}

}  // namespace vantrel
