// A host view, page set and engine that record every call in one log, so a
// test can assert the exact sequence the step machine produces; the view also
// keeps the resulting state (visible page, button texts, back enabled).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "wizard/ui/navigation/HostView.h"

namespace quispor::testing {

std::string Utf8(const char16_t* text);
const char* PageName(PageId page);

class RecordingHost : public HostView, public HostPages, public HostOperations {
 public:
  // --- HostView
  void SetTitle(const char16_t* title) override;
  void ShowPage(PageId page, bool visible) override;
  void SetBackButtonText(const char16_t* text) override;
  void SetNextButtonText(const char16_t* text) override;
  void EnableBackButton(bool enabled) override;
  void EnableNextButton(bool enabled) override;
  void SetBusy(bool busy) override;
  void ShowMessageBox(bool ownedByHost, const char16_t* text, const char16_t* caption) override;
  void CloseWizard(int exitCode) override;
  DoubleClickLimits SystemDoubleClick() override { return doubleClick; }  // not recorded
  // --- HostPages
  bool IsUninstallChosen() override;
  void RefreshPrinterScan() override;
  void Preselect() override;
  void RefreshUsbPorts() override;
  void ReadPortName(PageId portPage, char16_t* portName) override;
  // --- HostOperations
  uint32_t CheckIsManageAccess() override;
  void RunInstall(const WizardSelections& selections) override;
  void RunUninstall() override;

  // What the fakes answer.
  bool uninstallChosen = false;
  uint32_t accessResult = 0;
  std::u16string portToRead;            // written by ReadPortName
  std::u16string portNameOnEntry;       // what ReadPortName found in the buffer
  DoubleClickLimits doubleClick;        // the system's defaults: 500 ms, 4 by 4
  // Runs inside the sequences and the message boxes, where the program's
  // message loop could deliver a click that was queued meanwhile.
  std::function<void()> whileRunning;

  // What happened.
  std::vector<std::string> calls;
  std::map<PageId, bool> visible;
  std::string title, backText, nextText;
  bool backEnabled = true;
  bool nextEnabled = true;
  bool busy = false;
  int exitCode = -1;
  std::string installedPort;            // portName seen by RunInstall

  std::vector<std::string> TakeCalls();
};

}  // namespace quispor::testing
