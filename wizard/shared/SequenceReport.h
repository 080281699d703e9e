// How the install and removal sequences tell what they do: the wizard's
// finish page shows it, and any other runner of the sequences can take the
// same reports.
#pragma once

namespace quispor {

class SequenceReport {
 public:
  virtual ~SequenceReport() = default;
  // The first step of every sequence (the finish page relabels its buttons).
  virtual void SequenceStarted() = 0;
  // A progress line or the outcome; each replaces the text before it.
  virtual void ShowText(const char16_t* text) = 0;
};

}  // namespace quispor
