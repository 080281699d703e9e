// A report of the install and removal sequences that keeps what they told:
// how often a sequence started and every text, in order.
#pragma once

#include <string>
#include <vector>

#include "wizard/shared/SequenceReport.h"

namespace kit::fakes {

class RecordingReport : public quispor::SequenceReport {
 public:
  int started = 0;
  std::vector<std::u16string> texts;

  void SequenceStarted() override { ++started; }
  void ShowText(const char16_t* text) override { texts.emplace_back(text != nullptr ? text : u"<null>"); }
  std::u16string Last() const { return texts.empty() ? std::u16string() : texts.back(); }
};

}  // namespace kit::fakes
