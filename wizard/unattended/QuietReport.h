// The install and removal sequences as an unattended run reports them: every
// step with its Windows code and every text go to the run's log, and what the
// result file needs is kept. Message boxes of the engine become log lines.
#pragma once

#include <cstdint>
#include <string>

#include "wizard/engine/platform/UserMessages.h"
#include "wizard/shared/SequenceReport.h"
#include "wizard/unattended/RunLog.h"

namespace quispor::unattended {

class QuietReport final : public SequenceReport {
 public:
  explicit QuietReport(RunLog& log) : log_(log) {}

  void SequenceStarted() override {}
  void ShowText(const char16_t* text) override;
  void StepDone(SequenceStep step, std::u16string_view subject, uint32_t code) override;
  void Note(std::u16string_view text) override { log_.Write(text); }

  // Whether a step changed the system.
  bool changed() const { return changed_; }
  // The last text the sequence showed (its outcome).
  const std::u16string& message() const { return message_; }
  // The printer the last printer step named, and that step's code.
  const std::u16string& printer() const { return printer_; }
  uint32_t printerCode() const { return printerCode_; }

 private:
  RunLog& log_;
  bool changed_ = false;
  std::u16string message_;
  std::u16string printer_;
  uint32_t printerCode_ = 0;
};

// The engine's message boxes (the TCP/IP port creation's) as log lines: a
// run without a window answers each as OK.
class LoggedMessages final : public platform::UserMessages {
 public:
  explicit LoggedMessages(RunLog& log) : log_(log) {}
  int MessageBoxW(platform::WindowHandle owner, const char16_t* text, const char16_t* caption, uint32_t type) override;

 private:
  RunLog& log_;
};

// The words a step is logged with, e.g. "printer added".
const char16_t* StepName(SequenceStep step);

}  // namespace quispor::unattended
