#include "tests/wizard/ui/RecordingHost.h"

#include <utility>

#include "tests/fakes/wizard/FakeText.h"

namespace quispor::testing {

// A null text records as empty.
std::string Utf8(const char16_t* text) { return text == nullptr ? std::string() : kit::fakes::ToUtf8(text); }

const char* PageName(PageId page) {
  switch (page) {
    case PageId::Choice: return "Choice";
    case PageId::Ports: return "Ports";
    case PageId::Enet: return "Enet";
    case PageId::Usb: return "Usb";
    case PageId::Com: return "Com";
    case PageId::Lpt: return "Lpt";
    case PageId::Finish: return "Finish";
  }
  return "?";
}

void RecordingHost::SetTitle(const char16_t* text) {
  title = Utf8(text);
  calls.push_back("SetTitle(" + title + ")");
}

void RecordingHost::ShowPage(PageId page, bool show) {
  visible[page] = show;
  calls.push_back(std::string(show ? "Show(" : "Hide(") + PageName(page) + ")");
}

void RecordingHost::SetBackButtonText(const char16_t* text) {
  backText = Utf8(text);
  calls.push_back("BackText(" + backText + ")");
}

void RecordingHost::SetNextButtonText(const char16_t* text) {
  nextText = Utf8(text);
  calls.push_back("NextText(" + nextText + ")");
}

void RecordingHost::EnableBackButton(bool enabled) {
  backEnabled = enabled;
  calls.push_back(enabled ? "EnableBack" : "DisableBack");
}

void RecordingHost::EnableNextButton(bool enabled) {
  nextEnabled = enabled;
  calls.push_back(enabled ? "EnableNext" : "DisableNext");
}

void RecordingHost::SetBusy(bool on) {
  busy = on;
  calls.push_back(on ? "Busy" : "Idle");
}

void RecordingHost::ShowMessageBox(bool ownedByHost, const char16_t* text, const char16_t* caption) {
  calls.push_back(std::string(ownedByHost ? "OwnedBox(" : "FreeBox(") + Utf8(text) + "|" +
                  Utf8(caption) + ")");
  if (whileRunning) whileRunning();
}

void RecordingHost::CloseWizard(int code) {
  exitCode = code;
  calls.push_back("Close(" + std::to_string(code) + ")");
}

bool RecordingHost::IsUninstallChosen() {
  calls.push_back("IsUninstallChosen");
  return uninstallChosen;
}

void RecordingHost::RefreshPrinterScan() { calls.push_back("RefreshPrinterScan"); }
void RecordingHost::Preselect() { calls.push_back("Preselect"); }
void RecordingHost::RefreshUsbPorts() { calls.push_back("RefreshUsbPorts"); }

void RecordingHost::ReadPortName(PageId page, char16_t* portName) {
  portNameOnEntry = portName;
  calls.push_back(std::string("ReadPortName(") + PageName(page) + ")");
  CopyWideText(portName, kWideTextCapacity, portToRead.c_str());
}

uint32_t RecordingHost::CheckIsManageAccess() {
  calls.push_back("CheckIsManageAccess");
  return accessResult;
}

void RecordingHost::RunInstall(const WizardSelections& selections) {
  installedPort = Utf8(selections.portName);
  calls.push_back("RunInstall");
  if (whileRunning) whileRunning();
}

void RecordingHost::RunUninstall() {
  calls.push_back("RunUninstall");
  if (whileRunning) whileRunning();
}

std::vector<std::string> RecordingHost::TakeCalls() { return std::exchange(calls, {}); }

}  // namespace quispor::testing
