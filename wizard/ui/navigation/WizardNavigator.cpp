#include "wizard/ui/navigation/WizardNavigator.h"

#include "wizard/shared/PoText.h"

namespace quispor {
namespace {

constexpr char16_t kBuiltInTitle[] = u"VEXO Printer Driver Install";
constexpr char16_t kVersionSuffix[] = u" v1.25";

}  // namespace

PageId PortPageOf(WizardStep step) {
  switch (step) {
    case STEP_USB: return PageId::Usb;
    case STEP_ENET: return PageId::Enet;
    case STEP_COM: return PageId::Com;
    case STEP_LPT: return PageId::Lpt;
    default: return PageId::Finish;
  }
}

WizardNavigator::WizardNavigator(HostView& view, HostPages& pages, HostOperations& operations,
                                 WizardSelections& selections)
    : view_(view), pages_(pages), operations_(operations), selections_(selections) {}

void WizardNavigator::BeginInitialise(const CaptionLoader& loadCaption) {
  step_ = STEP_CHOICE;
  busy_ = false;
  closed_ = false;
  title_[0] = 0;
  if (loadCaption) loadCaption(title_);
  title_[kWideTextCapacity - 1] = 0;  // whatever the loader did, the title stays terminated
  if (title_[0] == 0) {
    CopyWideText(title_, kWideTextCapacity, kBuiltInTitle);
    AppendWideText(title_, kWideTextCapacity, kVersionSuffix);
  }
  view_.SetTitle(title_);
  view_.SetBackButtonText(PoTextOrEmpty("PO_LAST_STEP"));
  view_.SetNextButtonText(PoTextOrEmpty("PO_NEXT_STEP"));
  ApplyBackButtonRule();
}

void WizardNavigator::FinishInitialise() { view_.ShowPage(PageId::Choice, true); }

template <typename Work>
void WizardNavigator::Handle(Work work) {
  if (busy_ || closed_) {
    return;
  }
  busy_ = true;
  clicks_.HandlerStarted();
  const WizardStep before = step_;
  view_.SetBusy(true);
  work();
  busy_ = false;
  if (closed_) {
    return;  // the host window is gone
  }
  // On another step both buttons do something else (Next may close now).
  clicks_.HandlerEnded(step_ != before, view_.SystemDoubleClick());
  view_.EnableBackButton(backEnabled_);
  view_.EnableNextButton(true);
  view_.SetBusy(false);
}

void WizardNavigator::OnNext() {
  Handle([this] { Next(); });
}

void WizardNavigator::OnBack() {
  Handle([this] { Back(); });
}

void WizardNavigator::Next() {
  selections_.uninstall = pages_.IsUninstallChosen();
  switch (step_) {
    case STEP_CHOICE:
      if (operations_.CheckIsManageAccess() == kAccessDenied) {
        view_.ShowMessageBox(false, PoTextOrEmpty("PO_ERROR_CODE5"), title_);
        return;
      }
      if (selections_.uninstall) {
        view_.ShowPage(PageId::Choice, false);
        view_.ShowPage(PageId::Finish, true);
        // The removal sequence writes its progress into the finish page.
        operations_.RunUninstall();
        step_ = STEP_FINISH;
      } else {
        view_.ShowPage(PageId::Choice, false);
        SetBackEnabled(true);
        view_.ShowPage(PageId::Ports, true);
        step_ = STEP_PORTS;
      }
      return;
    case STEP_PORTS:
      switch (selections_.portKind) {
        case PORT_USB: LeaveForPortPage(PageId::Usb, STEP_USB); return;
        case PORT_ENET: LeaveForPortPage(PageId::Enet, STEP_ENET); return;
        case PORT_COM: LeaveForPortPage(PageId::Com, STEP_COM); return;
        case PORT_LPT: LeaveForPortPage(PageId::Lpt, STEP_LPT); return;
      }
      return;  // only the four radio buttons set the kind
    case STEP_USB:
    case STEP_ENET:
    case STEP_COM:
    case STEP_LPT: {
      const PageId page = PortPageOf(step_);
      selections_.portName[0] = 0;
      pages_.ReadPortName(page, selections_.portName);
      selections_.portName[kWideTextCapacity - 1] = 0;
      if (selections_.portName[0] == 0) {
        view_.ShowMessageBox(true, PoTextOrEmpty("PO_PORT_NULL"), selections_.modelName);
        return;
      }
      view_.ShowPage(page, false);
      view_.ShowPage(PageId::Finish, true);
      operations_.RunInstall(selections_);
      step_ = STEP_FINISH;
      return;
    }
    case STEP_FINISH:
      Close(kExitFinished);
      return;
  }
}

void WizardNavigator::LeaveForPortPage(PageId page, WizardStep next) {
  SetBackEnabled(true);
  view_.ShowPage(PageId::Ports, false);
  if (page == PageId::Usb) pages_.RefreshUsbPorts();
  view_.ShowPage(page, true);
  step_ = next;
}

void WizardNavigator::Back() {
  switch (step_) {
    case STEP_CHOICE:
      SetBackEnabled(false);
      break;
    case STEP_PORTS:
      pages_.RefreshPrinterScan();
      pages_.Preselect();
      view_.ShowPage(PageId::Choice, true);
      view_.ShowPage(PageId::Ports, false);
      step_ = STEP_CHOICE;
      break;
    case STEP_USB:
    case STEP_ENET:
    case STEP_COM:
    case STEP_LPT:
      view_.ShowPage(PortPageOf(step_), false);
      view_.ShowPage(PageId::Ports, true);
      step_ = STEP_PORTS;
      break;
    case STEP_FINISH:
      view_.SetBackButtonText(PoTextOrEmpty("PO_LAST_STEP"));
      view_.SetNextButtonText(PoTextOrEmpty("PO_NEXT_STEP"));
      view_.ShowPage(PageId::Finish, false);
      view_.ShowPage(PageId::Ports, true);
      step_ = STEP_PORTS;
      break;
  }
  ApplyBackButtonRule();
}

void WizardNavigator::ApplyBackButtonRule() {
  if (step_ == STEP_CHOICE) SetBackEnabled(false);
  else if (step_ == STEP_PORTS) SetBackEnabled(true);
}

// While a handler runs both buttons stay disabled; the state the tables set
// is applied when it ends.
void WizardNavigator::SetBackEnabled(bool enabled) {
  backEnabled_ = enabled;
  if (!busy_) {
    view_.EnableBackButton(enabled);
  }
}

void WizardNavigator::Close(int exitCode) {
  closed_ = true;
  view_.CloseWizard(exitCode);
}

void WizardNavigator::OnCloseCommand(int commandId) { Close(commandId); }

}  // namespace quispor
