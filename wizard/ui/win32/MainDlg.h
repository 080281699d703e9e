// The wizard host (template 129): two buttons and the seven pages, driven by
// the step machine. It carries out what the machine decides.
#pragma once

#include "wizard/engine/platform/Platform.h"
#include "wizard/ui/navigation/FinishView.h"
#include "wizard/ui/navigation/HostView.h"
#include "wizard/ui/navigation/WizardNavigator.h"
#include "wizard/ui/win32/DialogBase.h"
#include "wizard/ui/win32/InstallUninstallDlg.h"
#include "wizard/ui/win32/PortCOMDlg.h"
#include "wizard/ui/win32/PortENetDlg.h"
#include "wizard/ui/win32/PortLPTDlg.h"
#include "wizard/ui/win32/PortLastDlg.h"
#include "wizard/ui/win32/PortUSBDlg.h"
#include "wizard/ui/win32/PortsDlg.h"
#include "wizard/ui/win32/RunLoop.h"
#include "wizard/ui/win32/ScopedHandle.h"

namespace quispor::win32 {

class CMainDlg final : public DialogBase,
                       private HostView,
                       private HostPages,
                       private HostOperations,
                       private FinishView,
                       private MessageFilter,
                       private IdleHandler {
 public:
  CMainDlg(platform::Platform& platform, bool commandLineUninstall);

 private:
  // DialogBase
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  void OnDestroy() override;
  bool OnSetCursor() override;

  // HostView and FinishView (the button setters serve both)
  void SetTitle(const char16_t* title) override;
  void ShowPage(PageId page, bool visible) override;
  void SetBackButtonText(const char16_t* text) override;
  void SetNextButtonText(const char16_t* text) override;
  void EnableBackButton(bool enabled) override;
  void EnableNextButton(bool enabled) override;
  void SetBusy(bool busy) override;
  void ShowMessageBox(bool ownedByHost, const char16_t* text, const char16_t* caption) override;
  void CloseWizard(int exitCode) override;
  DoubleClickLimits SystemDoubleClick() override;
  void SetFinishText(const char16_t* text) override;

  // HostPages
  bool IsUninstallChosen() override;
  void RefreshPrinterScan() override;
  void Preselect() override;
  void RefreshUsbPorts() override;
  void ReadPortName(PageId portPage, char16_t* portName) override;

  // HostOperations
  uint32_t CheckIsManageAccess() override;
  void RunInstall(const WizardSelections& selections) override;
  void RunUninstall() override;

  // MessageFilter and IdleHandler
  bool PreTranslateMessage(MSG& message) override;
  bool OnIdle() override;

  void SetIcons();
  void CreatePages();
  HWND PageWindow(PageId page) const;
  void PaintNow();

  platform::Platform& platform_;
  WizardSelections selections_;
  WizardNavigator navigator_;
  RunLoop* loop_ = nullptr;
  bool busy_ = false;
  HWND focusBeforeBusy_ = nullptr;
  ScopedIcon bigIcon_;
  ScopedIcon smallIcon_;

  CInstallUninstallDlg choicePage_;
  CPortsDlg portsPage_;
  CPortENetDlg enetPage_;
  CPortUSBDlg usbPage_;
  CPortCOMDlg comPage_;
  CPortLPTDlg lptPage_;
  CPortLastDlg finishPage_;
};

}  // namespace quispor::win32
