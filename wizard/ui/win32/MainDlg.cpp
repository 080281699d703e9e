#include "wizard/ui/win32/MainDlg.h"

#include "wizard/engine/SystemFacts.h"
#include "wizard/removal/PlatformRemoval.h"
#include "wizard/ui/navigation/FinishSequences.h"
#include "wizard/ui/pages/WizardIds.h"
#include "wizard/ui/text/ConfigCaption.h"
#include "wizard/ui/win32/WideCast.h"
#include "wizard/ui/win32/WindowCentring.h"

namespace quispor::win32 {
namespace {

// Clicks and key strokes that queued up while a handler ran were aimed at
// buttons that have changed since (a second click of a double click on Next
// would press "Close"): they are dropped. A second click that arrives after
// a fast handler is the step machine's to drop (PreTranslateMessage).
constexpr UINT kNeverPosted = WM_APP + 0x3FFF;

InputMessage InputOf(const MSG& message) {
  InputKind kind = InputKind::Other;
  switch (message.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      kind = InputKind::MousePress;
      break;
    case WM_LBUTTONUP:
      kind = InputKind::MouseRelease;
      break;
    default:
      break;
  }
  return {kind, static_cast<uint32_t>(message.time), message.pt.x, message.pt.y};
}

void DiscardQueuedInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
}

}  // namespace

CMainDlg::CMainDlg(platform::Platform& platform, bool commandLineUninstall)
    : platform_(platform),
      navigator_(*this, *this, *this, selections_),
      choicePage_(platform.spooler, commandLineUninstall),
      portsPage_(selections_),
      enetPage_(platform, selections_),
      usbPage_(platform, selections_),
      comPage_(platform.spooler),
      lptPage_(platform.spooler) {}

BOOL CMainDlg::OnInitDialog() {
  CentreWindow(hwnd());
  SetIcons();
  loop_ = RunLoop::ForThisThread();
  if (loop_ != nullptr) {
    loop_->AddMessageFilter(this);
    loop_->AddIdleHandler(this);
  }
  navigator_.BeginInitialise([](char16_t* title) { LoadConfigCaption(title); });
  CreatePages();
  navigator_.FinishInitialise();
  return TRUE;
}

void CMainDlg::SetIcons() {
  bigIcon_.reset(static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_QUISPOR), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                               LR_DEFAULTCOLOR)));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  smallIcon_.reset(static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_QUISPOR), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void CMainDlg::CreatePages() {
  choicePage_.Create(instance(), IDD_INSTALL_UNINSTALL, hwnd());
  portsPage_.Create(instance(), IDD_PORTS, hwnd());
  enetPage_.Create(instance(), IDD_PORT_ENET, hwnd());
  usbPage_.Create(instance(), IDD_PORT_USB, hwnd());
  comPage_.Create(instance(), IDD_PORT_COM, hwnd());
  lptPage_.Create(instance(), IDD_PORT_LPT, hwnd());
  finishPage_.Create(instance(), IDD_PORT_LAST, hwnd());
}

bool CMainDlg::OnCommand(int id, int notifyCode, HWND) {
  switch (id) {
    case IDC_NEXT:
      if (notifyCode == BN_CLICKED) navigator_.OnNext();
      return true;
    case IDC_BACK:
      if (notifyCode == BN_CLICKED) navigator_.OnBack();
      return true;
    case IDOK:
    case IDCANCEL:
      navigator_.OnCloseCommand(id);
      return true;
    default:
      return false;
  }
}

void CMainDlg::OnDestroy() {
  if (loop_ != nullptr) {
    loop_->RemoveMessageFilter(this);
    loop_->RemoveIdleHandler(this);
    loop_ = nullptr;
  }
}

HWND CMainDlg::PageWindow(PageId page) const {
  switch (page) {
    case PageId::Choice: return choicePage_.hwnd();
    case PageId::Ports: return portsPage_.hwnd();
    case PageId::Enet: return enetPage_.hwnd();
    case PageId::Usb: return usbPage_.hwnd();
    case PageId::Com: return comPage_.hwnd();
    case PageId::Lpt: return lptPage_.hwnd();
    case PageId::Finish: return finishPage_.hwnd();
  }
  return nullptr;
}

void CMainDlg::SetTitle(const char16_t* title) { SetWindowTextW(hwnd(), W(title)); }

void CMainDlg::ShowPage(PageId page, bool visible) {
  HWND window = PageWindow(page);
  if (window != nullptr) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

void CMainDlg::SetBackButtonText(const char16_t* text) { SetDlgItemTextW(hwnd(), IDC_BACK, W(text)); }
void CMainDlg::SetNextButtonText(const char16_t* text) { SetDlgItemTextW(hwnd(), IDC_NEXT, W(text)); }
void CMainDlg::EnableBackButton(bool enabled) { EnableWindow(GetDlgItem(hwnd(), IDC_BACK), enabled); }
void CMainDlg::EnableNextButton(bool enabled) { EnableWindow(GetDlgItem(hwnd(), IDC_NEXT), enabled); }

void CMainDlg::SetBusy(bool busy) {
  busy_ = busy;
  if (busy) {
    // Disabling the focused button takes the focus from it; it goes back at
    // the end.
    focusBeforeBusy_ = GetFocus();
    EnableWindow(GetDlgItem(hwnd(), IDC_BACK), FALSE);
    EnableWindow(GetDlgItem(hwnd(), IDC_NEXT), FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  DiscardQueuedInput();
  HWND focus = focusBeforeBusy_;
  if (focus == nullptr || !IsWindow(focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
    focus = GetDlgItem(hwnd(), IDC_NEXT);
  }
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

bool CMainDlg::OnSetCursor() {
  if (!busy_) return false;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return true;
}

void CMainDlg::ShowMessageBox(bool ownedByHost, const char16_t* text, const char16_t* caption) {
  MessageBoxW(ownedByHost ? hwnd() : nullptr, W(text), W(caption), MB_OK);
}

void CMainDlg::CloseWizard(int exitCode) {
  DestroyWindow(hwnd());
  PostQuitMessage(exitCode);
}

DoubleClickLimits CMainDlg::SystemDoubleClick() {
  return {GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)};
}

void CMainDlg::SetFinishText(const char16_t* text) {
  SetDlgItemTextW(finishPage_.hwnd(), IDC_FINISH_TEXT, W(text));
  // The removal's next steps take seconds (a spooler restart, pnputil); the
  // line must be seen before them, not when the handler returns.
  PaintNow();
}

void CMainDlg::PaintNow() {
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Some window systems (Wine's among them) put what was painted on the
  // screen only when the thread next looks at its queue: look for a message
  // that is never posted, which takes nothing from the queue.
  MSG none;
  PeekMessageW(&none, hwnd(), kNeverPosted, kNeverPosted, PM_NOREMOVE | PM_NOYIELD);
}

bool CMainDlg::IsUninstallChosen() { return choicePage_.IsUninstallChosen(); }
void CMainDlg::RefreshPrinterScan() { choicePage_.RefreshPrinterScan(); }
void CMainDlg::Preselect() { choicePage_.Preselect(); }
void CMainDlg::RefreshUsbPorts() { usbPage_.RefreshPorts(); }

void CMainDlg::ReadPortName(PageId portPage, char16_t* portName) {
  switch (portPage) {
    case PageId::Usb: usbPage_.ReadPortName(portName); return;
    case PageId::Enet: enetPage_.ReadPortName(portName); return;
    case PageId::Com: comPage_.ReadPortName(portName); return;
    case PageId::Lpt: lptPage_.ReadPortName(portName); return;
    default: return;
  }
}

uint32_t CMainDlg::CheckIsManageAccess() { return quispor::CheckIsManageAccess(platform_.registry); }

void CMainDlg::RunInstall(const WizardSelections& selections) {
  const InstallServices services{platform_.spooler, platform_.systemInfo, platform_.fileCopy};
  FinishPageReport report(*this);
  quispor::RunInstall(services, selections, report);
}

void CMainDlg::RunUninstall() {
  FinishPageReport report(*this);
  removal::RunUninstall(platform_, report);
}

bool CMainDlg::PreTranslateMessage(MSG& message) {
  if (navigator_.DropsInput(InputOf(message))) return true;
  return IsDialogMessageW(hwnd(), &message) != FALSE;
}

bool CMainDlg::OnIdle() { return false; }

}  // namespace quispor::win32
