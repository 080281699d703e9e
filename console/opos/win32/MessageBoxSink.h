// The health check's message boxes: MessageBoxA with OK only and no icon.
#pragma once

#include <windows.h>

#include "console/opos/MessageSink.h"

namespace vantrel::win32 {

class MessageBoxSink : public MessageSink {
 public:
  explicit MessageBoxSink(HWND owner) : owner_(owner) {}
  void ShowMessage(const std::string& text, const std::string& caption) override;

 private:
  HWND owner_;
};

}  // namespace vantrel::win32
