// Where the health check reports: a message box with only an OK button and no
// icon.
#pragma once

#include <string>

namespace vantrel {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

}  // namespace vantrel
