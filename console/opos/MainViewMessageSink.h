// The health check's message boxes through the console's MainView: OK only,
// no icon.
#pragma once

#include "console/editor/MainView.h"
#include "console/opos/MessageSink.h"

namespace vantrel {

class MainViewMessageSink : public MessageSink {
 public:
  explicit MainViewMessageSink(MainView& view) : view_(view) {}
  void ShowMessage(const std::string& text, const std::string& caption) override {
    view_.ShowMessageBox(text, caption, kMbOk);
  }

 private:
  MainView& view_;
};

}  // namespace vantrel
