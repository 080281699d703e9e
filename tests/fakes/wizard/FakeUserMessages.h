// Message boxes that are recorded instead of shown; each answers IDOK.
#pragma once

#include <string>
#include <vector>

#include "wizard/engine/platform/UserMessages.h"

namespace kit::fakes {

struct FakeMessageBox {
  bool owned = false;
  std::u16string text;
  bool hasCaption = false;
  std::u16string caption;
  uint32_t type = 0;
};

class FakeUserMessages : public quispor::platform::UserMessages {
 public:
  std::vector<FakeMessageBox> boxes;

  int MessageBoxW(quispor::platform::WindowHandle owner, const char16_t* text, const char16_t* caption,
                  uint32_t type) override {
    boxes.push_back(FakeMessageBox{owner != nullptr, text != nullptr ? text : u"", caption != nullptr,
                                   caption != nullptr ? caption : u"", type});
    return 1;  // IDOK
  }
};

}  // namespace kit::fakes
