// What the wizard's step machine needs from the host window, its pages and
// the engine. The Win32 host implements these; tests record them.
#pragma once

#include <cstdint>

#include "wizard/ui/navigation/SecondClickGuard.h"
#include "wizard/ui/navigation/WizardSelections.h"
#include "wizard/ui/navigation/WizardStep.h"

namespace quispor {

class HostView {
 public:
  virtual ~HostView() = default;
  virtual void SetTitle(const char16_t* title) = 0;
  virtual void ShowPage(PageId page, bool visible) = 0;
  virtual void SetBackButtonText(const char16_t* text) = 0;  // button 1002
  virtual void SetNextButtonText(const char16_t* text) = 0;  // button 1003
  virtual void EnableBackButton(bool enabled) = 0;
  virtual void EnableNextButton(bool enabled) = 0;
  // Around the work of a button: busy, both buttons ignore input (they are
  // disabled) and the wait cursor shows; back to idle, input that queued up
  // meanwhile is dropped and the cursor is restored.
  virtual void SetBusy(bool busy) = 0;
  // A message box with one OK button, owned by the host window or by none.
  virtual void ShowMessageBox(bool ownedByHost, const char16_t* text, const char16_t* caption) = 0;
  // Destroys the host window and ends the run loop with this exit code.
  virtual void CloseWizard(int exitCode) = 0;
  // The system's double click as it is set now.
  virtual DoubleClickLimits SystemDoubleClick() = 0;
};

// The page operations the host calls.
class HostPages {
 public:
  virtual ~HostPages() = default;
  virtual bool IsUninstallChosen() = 0;            // choice page
  virtual void RefreshPrinterScan() = 0;           // choice page
  virtual void Preselect() = 0;                    // choice page
  virtual void RefreshUsbPorts() = 0;              // USB page
  // portName arrives emptied, 260 wide characters; the page may leave it empty.
  virtual void ReadPortName(PageId portPage, char16_t* portName) = 0;
};

// The engine operations the host starts.
class HostOperations {
 public:
  virtual ~HostOperations() = default;
  virtual uint32_t CheckIsManageAccess() = 0;  // 5: no administrator access
  virtual void RunInstall(const WizardSelections& selections) = 0;
  virtual void RunUninstall() = 0;
};

}  // namespace quispor
