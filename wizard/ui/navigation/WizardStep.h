// Which page the wizard host is showing.
#pragma once

namespace quispor {

enum WizardStep {
  STEP_CHOICE,
  STEP_PORTS,
  STEP_USB,
  STEP_ENET,
  STEP_COM,
  STEP_LPT,
  STEP_FINISH,
};

// The seven pages of the host, in creation order.
enum class PageId { Choice, Ports, Enet, Usb, Com, Lpt, Finish };

}  // namespace quispor
