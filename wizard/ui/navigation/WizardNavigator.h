// The wizard host's step machine: which page shows, the two buttons' texts
// and state, the message boxes of the next button, and closing.
#pragma once

#include <functional>

#include "wizard/ui/navigation/HostView.h"

namespace quispor {

inline constexpr int kExitFinished = 129;  // next on the finish page
inline constexpr uint32_t kAccessDenied = 5;

class WizardNavigator {
 public:
  using CaptionLoader = std::function<void(char16_t* title)>;  // 260 characters, arrives empty

  WizardNavigator(HostView& view, HostPages& pages, HostOperations& operations,
                  WizardSelections& selections);

  // The host's initialisation before its pages exist: step, title (from the
  // loader or the built-in one), button texts and the back-button rule.
  void BeginInitialise(const CaptionLoader& loadCaption);
  // The last step of the initialisation, once the pages exist.
  void FinishInitialise();

  // The two buttons. While either runs, the host is busy and a further click
  // of either is ignored; afterwards the buttons are as the step tables say.
  void OnNext();
  void OnBack();
  // Each message the host's loop takes, before it is dispatched. True: drop
  // it, as the second click of a double click whose first started a handler
  // that moved to another step (SecondClickGuard).
  bool DropsInput(const InputMessage& message) { return clicks_.Take(message); }
  // IDOK (1) or IDCANCEL (2): close at once with the command id as exit code.
  void OnCloseCommand(int commandId);

  WizardStep step() const { return step_; }
  const char16_t* title() const { return title_; }

 private:
  template <typename Work>
  void Handle(Work work);
  void Next();
  void Back();
  void ApplyBackButtonRule();
  void SetBackEnabled(bool enabled);
  void Close(int exitCode);
  void LeaveForPortPage(PageId page, WizardStep next);

  HostView& view_;
  HostPages& pages_;
  HostOperations& operations_;
  WizardSelections& selections_;
  WizardStep step_ = STEP_CHOICE;
  SecondClickGuard clicks_;
  bool busy_ = false;
  bool closed_ = false;
  bool backEnabled_ = false;  // what the tables last set, applied when idle
  char16_t title_[kWideTextCapacity] = {};
};

// The page shown at a port step; Finish for any other step.
PageId PortPageOf(WizardStep step);

}  // namespace quispor
