// What the finish page shows of a sequence: the texts of the host's two
// buttons and the finish page's text area (control 1030).
#pragma once

namespace quispor {

class FinishView {
 public:
  virtual ~FinishView() = default;
  virtual void SetBackButtonText(const char16_t* text) = 0;  // 1002
  virtual void SetNextButtonText(const char16_t* text) = 0;  // 1003
  virtual void SetFinishText(const char16_t* text) = 0;      // 1030 of the finish page
};

}  // namespace quispor
