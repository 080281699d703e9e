// A report of the install and removal sequences that keeps what they told:
// how often a sequence started, every text, every step and every note, in
// order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizard/shared/SequenceReport.h"

namespace kit::fakes {

class RecordingReport : public quispor::SequenceReport {
 public:
  struct Step {
    quispor::SequenceStep step;
    std::u16string subject;
    uint32_t code;
    bool operator==(const Step&) const = default;
  };
  int started = 0;
  std::vector<std::u16string> texts;
  std::vector<Step> steps;
  std::vector<std::u16string> notes;

  void SequenceStarted() override { ++started; }
  void ShowText(const char16_t* text) override { texts.emplace_back(text != nullptr ? text : u"<null>"); }
  void StepDone(quispor::SequenceStep step, std::u16string_view subject, uint32_t code) override {
    steps.push_back({step, std::u16string(subject), code});
  }
  void Note(std::u16string_view text) override { notes.emplace_back(text); }
  std::u16string Last() const { return texts.empty() ? std::u16string() : texts.back(); }
};

}  // namespace kit::fakes
