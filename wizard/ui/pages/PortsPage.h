// The ports page: printer model, default-printer option and port kind.
#pragma once

#include <cstddef>

#include "wizard/ui/navigation/WizardSelections.h"
#include "wizard/ui/pages/DialogView.h"

namespace quispor {

class PortsPageView : public DialogView {
 public:
  virtual void AddModelName(const char16_t* name) = 0;              // CB_ADDSTRING on 1039
  virtual void SelectModelStartingWith(const char16_t* name) = 0;   // CB_SELECTSTRING on 1039
  // The model list's current text, at most capacity - 1 characters, terminated.
  virtual void ReadModelText(char16_t* buffer, std::size_t capacity) = 0;
};

// Notification codes of WM_COMMAND that the page reacts to.
inline constexpr int kButtonClicked = 0;     // BN_CLICKED
inline constexpr int kComboSelChange = 1;    // CBN_SELCHANGE

class PortsPage {
 public:
  PortsPage(PortsPageView& view, WizardSelections& selections);

  // Everything the page does at creation after centring itself.
  void Create();
  void OnCommand(int id, int notifyCode);

 private:
  void FillModelList();
  void OnModelChanged();

  PortsPageView& view_;
  WizardSelections& selections_;
};

}  // namespace quispor
