#include "console/opos/win32/MessageBoxSink.h"

namespace vantrel::win32 {

void MessageBoxSink::ShowMessage(const std::string& text, const std::string& caption) {
  MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace vantrel::win32
